// touch_keys.js: on-screen buttons for a program's keys, for touch screens.
//
// The element "vorbl-touch" names the keys in its data-keys attribute: "keypad" for the nine
// digits laid out as a numeric keypad (7 8 9 / 4 5 6 / 1 2 3, each the keypad's key with NumLock
// on), or "label:code:character" for one key (its KeyboardEvent.code and the character it types).
// A button held down sends what a held key sends: a key-down at once, repeated key-downs after
// half a second, 30 a second (a desktop's usual typing delay and rate), and a key-up when the
// finger lifts, through the browser host's key path (Module.vorblHost.key), so the program gets
// exactly the messages the keyboard gives. The buttons never take the focus.
//
// The controls show on a screen that can be touched (a coarse pointer, touch points, or a first
// touch anywhere on the page); a page with no keys listed shows none.
"use strict";

const vorblTouchKeys = (() => {
    const REPEAT_DELAY_MS = 500;
    const REPEAT_INTERVAL_MS = 33;

    function keyList(words) {
        const keys = [];
        for (const word of words.split(/\s+/).filter((w) => w.length > 0)) {
            if (word === "keypad") {
                keys.push({group: "keypad"});
                continue;
            }
            const [label, code, character] = word.split(":");
            if (label && code) keys.push({label, code, character: character || ""});
        }
        return keys;
    }

    function sendKey(code, down, character) {
        const host = window.Module && Module.vorblHost;
        if (host && host.key) host.key(code, down, character);
    }

    // Holds key `code` while a pointer presses `button`.
    function wireButton(button, code, character) {
        let repeat = 0;
        let pointer = null;
        const release = () => {
            if (pointer === null) return;
            pointer = null;
            clearTimeout(repeat);
            clearInterval(repeat);
            button.classList.remove("vorbl-pressed");
            sendKey(code, false, character);
        };
        button.addEventListener("pointerdown", (event) => {
            event.preventDefault();  // no focus, no mouse events made up from the touch
            if (pointer !== null) return;
            pointer = event.pointerId;
            if (button.setPointerCapture) button.setPointerCapture(event.pointerId);
            button.classList.add("vorbl-pressed");
            sendKey(code, true, character);
            repeat = setTimeout(() => {
                repeat = setInterval(() => sendKey(code, true, character), REPEAT_INTERVAL_MS);
            }, REPEAT_DELAY_MS);
        });
        button.addEventListener("pointerup", release);
        button.addEventListener("pointercancel", release);
        button.addEventListener("lostpointercapture", release);
        button.addEventListener("contextmenu", (event) => event.preventDefault());
    }

    function makeButton(label, code, character) {
        const button = document.createElement("button");
        button.type = "button";
        button.tabIndex = -1;
        button.textContent = label;
        button.dataset.code = code;
        wireButton(button, code, character);
        return button;
    }

    function build(container) {
        for (const key of keyList(container.dataset.keys || "")) {
            if (key.group === "keypad") {
                const pad = document.createElement("div");
                pad.className = "vorbl-keypad";
                for (const digit of [7, 8, 9, 4, 5, 6, 1, 2, 3]) {
                    pad.appendChild(makeButton(String(digit), `Numpad${digit}`, String(digit)));
                }
                container.appendChild(pad);
            } else {
                container.appendChild(makeButton(key.label, key.code, key.character));
            }
        }
        return container.children.length > 0;
    }

    const touchScreen = () =>
        (window.matchMedia && window.matchMedia("(any-pointer: coarse)").matches) ||
        navigator.maxTouchPoints > 0;

    function start(onShown) {
        const container = document.getElementById("vorbl-touch");
        if (!container || !build(container)) return;
        const show = () => {
            if (!container.hidden) return;
            container.hidden = false;
            document.body.classList.add("vorbl-touch-on");
            if (onShown) onShown();
        };
        if (touchScreen()) {
            show();
        } else {
            document.addEventListener("touchstart", show, {once: true, passive: true});
        }
    }

    return {start};
})();
