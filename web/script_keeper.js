// script_keeper.js: nothing recorded is lost. A recording the package writes into VORBL.SCR (in
// the page's in-memory file system, which a reload wipes) is copied into the browser's storage
// (localStorage) as it is written; leaving or reloading the page asks first while a recording is
// going on or a recorded script has not been downloaded; and a page opened again offers a kept
// recording that was not downloaded: to download, to play, or to forget.
//
// How writes are seen: the file system's open, write and close of VORBL.SCR are watched (the
// runtime's Module.FS is wrapped). The C library holds up to a buffer of lines before writing
// them, so while a recording goes on the page asks the program to write its buffers out
// (vorbl_page_flush, web/page_hooks.cpp) every second and when the page is left: the kept copy
// is then at most a second behind, and whole when the page is left. A file open for writing is
// a recording going on; a recorded file counts as downloaded once the page has downloaded it.
//
// Storage that is full or refused (private browsing, a blocked site) costs only the keeping:
// one line in the package's text window says so (vorbl_page_note), once per recording, and the
// program goes on. Kept: one script per program, under "vorbl-script:" and the program's name,
// as {bytes (a string of byte values 0-255), saved (time), downloaded}.
"use strict";

const vorblScriptKeeper = (() => {
    const FLUSH_EVERY_MS = 1000;
    const SAVE_DELAY_MS = 200;
    let storageKey = "";
    let scriptPath = () => "";
    let recording = false;      // VORBL.SCR is open for writing
    let unsaved = false;        // recorded since the last download
    let saveTimer = 0;
    let flushTimer = 0;
    let storageFailed = false;  // said once per recording
    let pageWriting = false;    // the page itself writes VORBL.SCR (a loaded file): no recording

    const bytesToString = (bytes) => {
        let text = "";
        for (let at = 0; at < bytes.length; at += 8192) {
            text += String.fromCharCode.apply(null, bytes.subarray(at, at + 8192));
        }
        return text;
    };
    const stringToBytes = (text) => Uint8Array.from(text, (c) => c.charCodeAt(0) & 0xff);

    const programRunning = () =>
        typeof Module !== "undefined" && document.body.dataset.vorblState === "running";

    // A line in the package's text window (ASCII only), or the console without the package.
    function note(line) {
        if (!programRunning() || !Module._vorbl_page_note || !Module.HEAPU8) {
            console.warn(line);
            return;
        }
        const bytes = new TextEncoder().encode(line.replace(/[^ -~]/g, "?"));
        const buffer = Module._malloc(bytes.length + 1);
        if (!buffer) return;
        Module.HEAPU8.set(bytes, buffer);
        Module.HEAPU8[buffer + bytes.length] = 0;
        Module._vorbl_page_note(buffer);
        Module._free(buffer);
    }

    function readStored() {
        try {
            const text = window.localStorage.getItem(storageKey);
            const kept = text ? JSON.parse(text) : null;
            return kept && typeof kept.bytes === "string" ? kept : null;
        } catch (error) {
            return null;  // no storage, or something else under the name
        }
    }

    function writeStored(kept) {
        try {
            window.localStorage.setItem(storageKey, JSON.stringify(kept));
            return true;
        } catch (error) {
            if (!storageFailed) {
                storageFailed = true;
                note("This recording is not kept in the browser's storage (full or refused): " +
                     "download VORBL.SCR to keep it.");
            }
            return false;
        }
    }

    function currentBytes() {
        try {
            return Module.FS.readFile(scriptPath());
        } catch (error) {
            return null;
        }
    }

    function saveNow() {
        clearTimeout(saveTimer);
        saveTimer = 0;
        const bytes = currentBytes();
        if (bytes === null) return;
        writeStored({bytes: bytesToString(bytes), saved: Date.now(), downloaded: !unsaved});
    }

    function saveSoon() {
        if (!saveTimer) saveTimer = setTimeout(saveNow, SAVE_DELAY_MS);
    }

    function flushProgram() {
        if (programRunning() && Module._vorbl_page_flush) Module._vorbl_page_flush();
    }

    // A recording's first line goes into "VORBL.SCR.<pid>.new", renamed over VORBL.SCR at once;
    // its stream keeps that first name.
    const isScript = (stream) => stream && (stream.path === scriptPath() ||
        (stream.path.startsWith(`${scriptPath()}.`) && stream.path.endsWith(".new")));
    const WRITE_MODES = 3;  // O_WRONLY | O_RDWR

    function recordingStarted() {
        recording = true;
        storageFailed = false;
        if (!flushTimer) flushTimer = setInterval(flushProgram, FLUSH_EVERY_MS);
    }

    function recordingEnded() {
        recording = false;
        clearInterval(flushTimer);
        flushTimer = 0;
        saveNow();
    }

    // Wraps the file system's open, write and close to see the script being written.
    function watchFileSystem(fs) {
        const {open, write, close} = fs;
        fs.open = function(path, flags, ...rest) {
            const stream = open.call(this, path, flags, ...rest);
            if (!pageWriting && isScript(stream) && typeof flags === "number" &&
                (flags & WRITE_MODES) !== 0) {
                stream.vorblRecording = true;
                recordingStarted();
            }
            return stream;
        };
        fs.write = function(stream, ...rest) {
            const written = write.call(this, stream, ...rest);
            if (stream.vorblRecording && written > 0) {
                unsaved = true;
                saveSoon();
            }
            return written;
        };
        fs.close = function(stream, ...rest) {
            const result = close.call(this, stream, ...rest);
            if (stream.vorblRecording) recordingEnded();
            return result;
        };
    }

    function wireLeaving() {
        window.addEventListener("beforeunload", (event) => {
            if (!recording && !unsaved) return;
            event.preventDefault();
            event.returnValue = "";  // what older browsers need to ask
        });
        // The page goes (reloaded or closed) or is put away (a phone switching to another app
        // may never say more): keep the whole recording.
        const keepAll = () => {
            if (!recording && !unsaved) return;
            try {
                if (recording) flushProgram();
            } finally {
                saveNow();
            }
        };
        window.addEventListener("pagehide", keepAll);
        document.addEventListener("visibilitychange", () => {
            if (document.visibilityState === "hidden") keepAll();
        });
    }

    // The kept script of an earlier visit, offered in the element "vorbl-kept".
    function offerKept(actions) {
        const kept = readStored();
        const box = document.getElementById("vorbl-kept");
        if (!kept || kept.downloaded || !box) return;
        const lines = kept.bytes.split("\n").filter((line) => line.length > 0).length;
        if (lines === 0) return;
        const when = new Date(kept.saved || Date.now()).toLocaleString();
        box.textContent = `A recording from your last visit (${when}, ${lines} lines) was kept: `;
        const button = (label, id, action) => {
            const b = document.createElement("button");
            b.type = "button";
            b.id = id;
            b.textContent = label;
            b.addEventListener("click", () => {
                action(stringToBytes(kept.bytes));
                box.hidden = true;
                b.blur();
            });
            box.appendChild(b);
        };
        button("Download it", "vorbl-kept-download", (bytes) => {
            actions.download(bytes);
            kept.downloaded = true;
            writeStored(kept);
        });
        button("Play it", "vorbl-kept-play", actions.play);
        button("Forget it", "vorbl-kept-forget", () => {
            try {
                window.localStorage.removeItem(storageKey);
            } catch (error) {
                // nothing kept that could be removed
            }
        });
        box.hidden = false;
    }

    // The page writes VORBL.SCR itself (a file the user loaded, a kept script): not a recording.
    function writeScript(bytes) {
        pageWriting = true;
        try {
            Module.FS.writeFile(scriptPath(), bytes);
        } finally {
            pageWriting = false;
        }
    }

    // Called when the page has downloaded VORBL.SCR.
    function downloaded() {
        unsaved = false;
        const kept = readStored();
        if (kept && !recording) {
            kept.downloaded = true;
            writeStored(kept);
        }
    }

    // Called with the page's program name and the path of VORBL.SCR, once the runtime runs.
    function start(program, pathOfScript, actions) {
        storageKey = "vorbl-script:" + program;
        scriptPath = pathOfScript;
        watchFileSystem(Module.FS);
        wireLeaving();
        offerKept(actions);
    }

    return {start, downloaded, writeScript, isRecording: () => recording, hasUnsaved: () => unsaved};
})();
