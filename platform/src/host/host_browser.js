// host_browser.js: the JavaScript half of the browser host (host_browser.cpp is the other half),
// linked into every page program as an Emscripten library (--js-library).
//
// Module.vorblHost holds the page side: the canvases by window id, the queue of input events
// the listeners collect, the function that wakes a waiting program, and a count of wakes (tests
// check with it that a waiting program does not spin). The program takes events one at a time
// (vorbl_js_take_event) and sleeps in vorbl_js_sleep, an Asyncify import: the WebAssembly stack
// is put aside, the browser's event loop runs, and a listener or the deadline's timeout resumes
// the program where it slept.
//
// Keys: every key event is queued with its KeyboardEvent.code, the character it typed (none
// with Ctrl or Meta held, as a desktop's text input gives none), whether it typed a numpad digit
// and the CapsLock state, and taken from the browser (preventDefault: no reload on Ctrl+R, no
// print on Ctrl+P), except F5, F11 and F12. A page control (a button, the file chooser) never
// keeps the keyboard: Tab, Enter and Space stay with a focused control, so that it can be used
// from the keyboard, and any other key takes the focus from it and goes to the program. A text
// field keeps all its keys. Module.vorblHost.key(code, down, character) queues a key as the
// keyboard would (the page's touch controls use it). Leaving the page releases every key still
// held. Mouse: the left button and moves over a canvas, in canvas pixels whatever size the page
// shows the canvas at; after a press, moves and the release anywhere on the page go to the
// pressed canvas.

mergeInto(LibraryManager.library, {
    vorbl_js_host_start: function() {
        if (Module.vorblHost) return;
        const host = {windows: new Map(), queue: [], wake: null, wakes: 0, held: new Set(),
                      pressed: null};
        Module.vorblHost = host;
        const push = (event) => {
            host.queue.push(event);
            if (host.wake) host.wake();
        };
        host.push = push;
        const controlOf = (target) =>
            target && target.closest ? target.closest("input,button,select,textarea,a") : null;
        const isTextField = (control) =>
            control.matches("textarea,select,[contenteditable]") ||
            (control.matches("input") && !/^(file|button|submit|reset|checkbox|radio|range|color)$/
                .test(control.type));
        // The keys with which a focused button or file chooser is used from the keyboard.
        const usesControl = (event) =>
            !event.ctrlKey && !event.altKey && !event.metaKey &&
            (event.code === "Tab" || event.code === "Enter" || event.code === "NumpadEnter" ||
             event.code === "Space");
        const leftToBrowser = (code) => code === "F5" || code === "F11" || code === "F12";
        const typedCharacter = (event) => {
            const characters = Array.from(event.key);
            if (characters.length !== 1) return 0;
            if (event.metaKey || (event.ctrlKey && !event.altKey)) return 0;
            return characters[0].codePointAt(0);
        };
        const queueKey = (code, down, text, digit, caps) => {
            if (down) {
                host.held.add(code);
            } else {
                host.held.delete(code);
            }
            push({type: 1, down: down, code: code, text: down ? text : 0, digit: digit,
                  caps: caps});
        };
        host.key = (code, down, character) => {
            const text = character ? character.codePointAt(0) : 0;
            queueKey(code, down, text, /^[0-9.,]$/.test(character || ""), false);
        };
        const onKey = (event) => {
            if (event.isComposing) return;
            const control = controlOf(event.target);
            if (control) {
                if (isTextField(control) || usesControl(event)) return;
                control.blur();  // the keyboard goes back to the program, with this key
            }
            queueKey(event.code, event.type === "keydown", typedCharacter(event),
                     /^[0-9.,]$/.test(event.key), event.getModifierState("CapsLock"));
            if (!leftToBrowser(event.code)) event.preventDefault();
        };
        document.addEventListener("keydown", onKey);
        document.addEventListener("keyup", onKey);
        window.addEventListener("blur", () => {
            for (const code of host.held) {
                push({type: 1, down: false, code: code, text: 0, digit: false, caps: false});
            }
            host.held.clear();
        });
        // The page may show a canvas larger or smaller than its pixels: scale back.
        const canvasPoint = (canvas, event) => {
            const box = canvas.getBoundingClientRect();
            const scaleX = box.width > 0 ? canvas.width / box.width : 1;
            const scaleY = box.height > 0 ? canvas.height / box.height : 1;
            return [Math.floor((event.clientX - box.left) * scaleX),
                    Math.floor((event.clientY - box.top) * scaleY)];
        };
        const pushMouse = (id, canvas, event, move, down) => {
            const [x, y] = canvasPoint(canvas, event);
            push({type: 2, id: id, move: move, down: down, x: x, y: y});
        };
        const pressedCanvas = () => {
            const record = host.pressed === null ? null : host.windows.get(host.pressed);
            return record ? record.canvas : null;
        };
        host.listen = (id, canvas) => {
            canvas.addEventListener("mousedown", (event) => {
                if (event.button !== 0) return;
                event.preventDefault();
                if (document.activeElement && document.activeElement.blur) {
                    document.activeElement.blur();  // keys go to the program again
                }
                host.pressed = id;
                pushMouse(id, canvas, event, false, true);
            });
            canvas.addEventListener("mousemove", (event) => {
                if (host.pressed === null) pushMouse(id, canvas, event, true, false);
            });
            canvas.addEventListener("contextmenu", (event) => event.preventDefault());
        };
        window.addEventListener("mousemove", (event) => {
            const canvas = pressedCanvas();
            if (canvas) pushMouse(host.pressed, canvas, event, true, false);
        });
        window.addEventListener("mouseup", (event) => {
            const canvas = pressedCanvas();
            if (event.button !== 0 || !canvas) return;
            pushMouse(host.pressed, canvas, event, false, false);
            host.pressed = null;
        });
    },

    // A hidden frame for window `id` on the page's desktop, placed as `placement` says (nine
    // ints: outer x, y, width, height; the content's left and top offsets inside the frame and
    // its width and height; resizable), its caption showing `title` above the content's canvas.
    vorbl_js_create_canvas__deps: ["vorbl_js_place_canvas", "vorbl_js_apply_show_state"],
    vorbl_js_create_canvas: function(id, title, placement) {
        const host = Module.vorblHost;
        const desktop = document.getElementById("vorbl-desktop") || document.body;
        const frame = document.createElement("div");
        frame.className = "vorbl-frame";
        frame.style.position = "absolute";
        frame.style.boxSizing = "border-box";
        frame.style.display = "none";
        const caption = document.createElement("div");
        caption.className = "vorbl-caption";
        caption.textContent = UTF8ToString(title);
        caption.style.position = "absolute";
        caption.style.overflow = "hidden";
        caption.style.whiteSpace = "nowrap";
        const canvas = document.createElement("canvas");
        canvas.className = "vorbl-window";
        canvas.title = caption.textContent;
        canvas.setAttribute("aria-label", canvas.title);
        canvas.style.position = "absolute";
        frame.appendChild(caption);
        frame.appendChild(canvas);
        desktop.appendChild(frame);
        host.windows.set(id, {frame: frame, caption: caption, canvas: canvas,
                              context: canvas.getContext("2d"), state: 0, outerHeight: 0,
                              contentTop: 0, frameWidth: 0});
        _vorbl_js_place_canvas(id, placement);
        host.listen(id, canvas);
        // A click on the caption of a minimised window restores it, as a click on its icon does:
        // the page shows it again at once and tells the program, as a window manager would.
        caption.addEventListener("click", () => {
            const record = host.windows.get(id);
            if (!record || record.state !== 1) return;
            record.state = 0;
            _vorbl_js_apply_show_state(record);
            host.push({type: 3, id: id, state: 0});
        });
    },

    // Moves and sizes window `id`'s frame and canvas as `placement` says (see above).
    vorbl_js_place_canvas__deps: ["vorbl_js_apply_show_state"],
    vorbl_js_place_canvas: function(id, placement) {
        const record = Module.vorblHost.windows.get(id);
        if (!record) return;
        const value = (index) => HEAP32[(placement >> 2) + index];
        const [x, y, width, height] = [value(0), value(1), value(2), value(3)];
        const [left, top, contentWidth, contentHeight] = [value(4), value(5), value(6), value(7)];
        const px = (number) => number + "px";
        Object.assign(record.frame.style, {left: px(x), top: px(y), width: px(width),
                                           height: px(height)});
        // The caption fills the frame's top between its borders, down to the content.
        Object.assign(record.caption.style, {left: px(left), top: px(left),
                                             width: px(Math.max(width - 2 * left, 0)),
                                             height: px(Math.max(top - 2 * left, 0)),
                                             lineHeight: px(Math.max(top - 2 * left, 0))});
        record.caption.hidden = top - left <= 1;
        Object.assign(record.canvas.style, {left: px(left), top: px(top), width: px(contentWidth),
                                            height: px(contentHeight)});
        Object.assign(record, {outerHeight: height, contentTop: top, frameWidth: left});
        _vorbl_js_apply_show_state(record);
        if (record.canvas.width !== contentWidth || record.canvas.height !== contentHeight) {
            record.canvas.width = contentWidth;
            record.canvas.height = contentHeight;
            record.context = record.canvas.getContext("2d");
        }
    },

    // A minimised window shows only its caption (the frame collapses to it, the canvas hidden);
    // a maximised one has been placed by the window system to fill the screen, which the page
    // fits to its stage. The frame's data-show-state names the state, for the page and tests.
    vorbl_js_apply_show_state: function(record) {
        const minimised = record.state === 1;
        record.canvas.style.display = minimised ? "none" : "";
        const height = minimised ? record.contentTop + record.frameWidth : record.outerHeight;
        record.frame.style.height = height + "px";
        record.frame.dataset.showState = ["normal", "minimized", "maximized"][record.state];
    },

    // Window `id` is now normal (0), minimised (1) or maximised (2).
    vorbl_js_show_state__deps: ["vorbl_js_apply_show_state"],
    vorbl_js_show_state: function(id, state) {
        const record = Module.vorblHost.windows.get(id);
        if (!record) return;
        record.state = state;
        _vorbl_js_apply_show_state(record);
    },

    vorbl_js_destroy_canvas: function(id) {
        const record = Module.vorblHost.windows.get(id);
        if (!record) return;
        record.frame.remove();
        Module.vorblHost.windows.delete(id);
    },

    vorbl_js_show_canvas: function(id, visible) {
        const record = Module.vorblHost.windows.get(id);
        if (record) record.frame.style.display = visible ? "block" : "none";
    },

    // Puts `width` x `height` RGBA pixels from `rgba` on window `id`'s canvas, resized to fit.
    vorbl_js_present: function(id, rgba, width, height) {
        const record = Module.vorblHost.windows.get(id);
        if (!record) return;
        const canvas = record.canvas;
        if (canvas.width !== width || canvas.height !== height) {
            canvas.width = width;  // the picture is the content area, as placed
            canvas.height = height;
            record.context = canvas.getContext("2d");
        }
        const bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
        record.context.putImageData(new ImageData(bytes, width, height), 0, 0);
    },

    vorbl_js_screen_width: function() {
        return window.screen.width | 0;
    },

    vorbl_js_screen_height: function() {
        return window.screen.height | 0;
    },

    vorbl_js_has_input: function() {
        return Module.vorblHost.queue.length > 0 ? 1 : 0;
    },

    // Takes the oldest event: returns its type (0 none, 1 key, 2 mouse, 3 show state) and fills
    // `fields` (key: down, typed code point, numpad digit, CapsLock; mouse: window id, move, down,
    // x, y; show state: window id, state as vorbl_js_show_state takes it) and, for a key, `code`
    // with its KeyboardEvent.code.
    vorbl_js_take_event: function(fields, code, codeSize) {
        const event = Module.vorblHost.queue.shift();
        if (!event) return 0;
        const put = (index, value) => {
            HEAP32[(fields >> 2) + index] = value | 0;
        };
        if (event.type === 1) {
            put(0, event.down ? 1 : 0);
            put(1, event.text);
            put(2, event.digit ? 1 : 0);
            put(3, event.caps ? 1 : 0);
            stringToUTF8(event.code || "", code, codeSize);
        } else if (event.type === 3) {
            put(0, event.id);
            put(1, event.state);
        } else {
            put(0, event.id);
            put(1, event.move ? 1 : 0);
            put(2, event.down ? 1 : 0);
            put(3, event.x);
            put(4, event.y);
        }
        return event.type;
    },

    // Suspends the program until an event is queued or `timeoutMs` passed (negative: no
    // timeout). Listed in ASYNCIFY_IMPORTS (platform/CMakeLists.txt).
    vorbl_js_sleep__deps: ["exit"],
    vorbl_js_sleep: function(timeoutMs) {
        const host = Module.vorblHost;
        if (!host.endWatched) {
            // Once the program has slept, its main returns inside a resumption and no longer to
            // the runtime that called it: end the runtime then with main's result, as the
            // runtime does when main returns without having slept.
            host.endWatched = true;
            Asyncify.whenDone().then((code) => {
                try {
                    _exit(code);
                } catch (error) {
                    // exit unwinds with an ExitStatus, which only says that the runtime ended
                    if (!error || error.name !== "ExitStatus") throw error;
                }
            });
        }
        return Asyncify.handleSleep((wakeUp) => {
            let timer = 0;
            host.wake = () => {
                if (timer) clearTimeout(timer);
                host.wake = null;
                host.wakes++;
                wakeUp();
            };
            if (timeoutMs >= 0) timer = setTimeout(host.wake, timeoutMs);
        });
    },
});
