// vorbl_page.js: what a VORBL page does around its program: loading it, the page's status line,
// the program's printed output, and the script file VORBL.SCR in the page's file system. It
// starts the page's other parts: the layout that fits the windows to the browser window
// (page_layout.js), the touch controls (touch_keys.js) and the keeping of recordings in the
// browser's storage (script_keeper.js).
//
// The program itself (its .js, .wasm and .data files) puts its windows as canvases into the
// element "vorbl-desktop" and takes the page's keyboard and mouse input (the browser host,
// platform/src/host/host_browser.cpp). This file only starts it and offers two things the
// desktop has through its file system: downloading the recorded VORBL.SCR, and replacing
// VORBL.SCR by a file of the user's, which the package then reads as it reads any script file
// (its own messages report a file it cannot use). A file larger than the page keeps in memory
// (16 MiB) is not loaded: VORBL.SCR is then absent, and playback says it cannot open it. The
// page's buttons and file chooser give the keyboard back to the program once used.
//
// Arguments for the program may be given in the page's address: page.html?args=scene+2
//
// Loading: the fonts every page shares (vorbl_fonts.js and vorbl_fonts.data, beside this file)
// are fetched while the program's own files are, and are in its file system before main runs.
// The service worker beside this file (service_worker.js) keeps the files for use offline.
"use strict";

const vorblPage = (() => {
    const SCRIPT_NAME = "VORBL.SCR";
    const MAX_SCRIPT_BYTES = 16 * 1024 * 1024;
    let title = "The program";
    // The directory of the site's shared files: where this script came from.
    const siteRoot = new URL(".", document.currentScript ? document.currentScript.src
                                                         : window.location.href).href;

    const element = (id) => document.getElementById(id);

    function setStatus(text) {
        const status = element("vorbl-status");
        if (status) status.textContent = text;
    }

    function appendOutput(text) {
        const output = element("vorbl-output");
        if (!output) return;
        output.hidden = false;
        output.textContent += text + "\n";
    }

    function scriptPath() {
        const cwd = Module.FS.cwd();
        return (cwd.endsWith("/") ? cwd : cwd + "/") + SCRIPT_NAME;
    }

    function removeScript() {
        try {
            Module.FS.unlink(scriptPath());
        } catch (error) {
            // there was none
        }
    }

    function saveFile(bytes) {
        const url = URL.createObjectURL(new Blob([bytes], {type: "text/plain"}));
        const link = document.createElement("a");
        link.href = url;
        link.download = SCRIPT_NAME;
        document.body.appendChild(link);
        link.click();
        link.remove();
        setTimeout(() => URL.revokeObjectURL(url), 10000);
    }

    function downloadScript() {
        if (!Module.FS) return;
        let bytes;
        try {
            bytes = Module.FS.readFile(scriptPath());
        } catch (error) {
            setStatus("There is no VORBL.SCR yet: Ctrl+R starts and stops a recording.");
            return;
        }
        saveFile(bytes);
        vorblScriptKeeper.downloaded();
        setStatus("");
    }

    // Control, Ctrl+P: the package's key for playing the script back.
    function pressPlayback() {
        const host = Module.vorblHost;
        if (!host || !host.key) return;
        host.key("ControlLeft", true, "");
        host.key("KeyP", true, "");
        host.key("KeyP", false, "");
        host.key("ControlLeft", false, "");
    }

    // A script kept from an earlier visit becomes VORBL.SCR and is played back.
    function playKept(bytes) {
        removeScript();
        vorblScriptKeeper.writeScript(bytes);
        pressPlayback();
    }

    // The chosen file becomes VORBL.SCR byte for byte, whatever it holds.
    async function loadScript(file) {
        let bytes = null;
        if (file.size <= MAX_SCRIPT_BYTES) {
            try {
                bytes = new Uint8Array(await file.arrayBuffer());
            } catch (error) {
                bytes = null;  // unreadable: treated like a file too large to keep
            }
        }
        removeScript();
        if (bytes !== null) vorblScriptKeeper.writeScript(bytes);
    }

    // A button keeps no focus once clicked: keys go straight back to the program.
    function releaseFocusAfterClick(button) {
        button.addEventListener("click", () => button.blur());
    }

    function wireScriptControls() {
        const download = element("vorbl-download");
        if (download) download.addEventListener("click", downloadScript);
        const load = element("vorbl-load");
        if (load) {
            load.addEventListener("change", async () => {
                const file = load.files && load.files[0];
                if (file && Module.FS) await loadScript(file);
                load.value = "";
                load.blur();  // keys go back to the program
            });
            load.addEventListener("cancel", () => load.blur());
        }
        for (const button of document.querySelectorAll("header button, #vorbl-leave-full")) {
            releaseFocusAfterClick(button);
        }
    }

    function programArguments() {
        const given = new URLSearchParams(window.location.search).get("args");
        return given ? given.split(/[\s,]+/).filter((word) => word.length > 0) : [];
    }

    // Scripts run in the order they are added, while all of them are fetched at once.
    function addScript(src) {
        const script = document.createElement("script");
        script.src = src;
        script.async = false;
        document.body.appendChild(script);
    }

    // The worker keeps the pages' files; without one (an old browser, a page not served over
    // HTTPS or from localhost) the page works the same, only not offline.
    function registerServiceWorker() {
        if (!("serviceWorker" in navigator)) return;
        navigator.serviceWorker.register(siteRoot + "service_worker.js", {scope: siteRoot})
            .catch((error) => console.warn("No offline copy: " + error.message));
    }

    function start(program, programTitle) {
        title = programTitle || title;
        wireScriptControls();
        vorblLayout.start();
        vorblTouchKeys.start(vorblLayout.schedule);
        setStatus("Loading " + title + "…");
        window.Module = {
            arguments: programArguments(),
            print: (text) => {
                console.log(text);
                appendOutput(text);
            },
            printErr: (text) => console.warn(text),
            setStatus: (text) => {
                if (text) setStatus(text);
            },
            onRuntimeInitialized: () => {
                setStatus("");
                document.body.dataset.vorblState = "running";
                vorblScriptKeeper.start(program, scriptPath,
                                        {download: saveFile, play: playKept});
            },
            onExit: (code) => {
                setStatus(title + " has ended (exit code " + code + "). Reload the page to start again.");
                document.body.dataset.vorblState = "ended";
                document.body.dataset.vorblExitCode = String(code);
            },
            onAbort: (what) => {
                setStatus(title + " stopped: " + what);
                document.body.dataset.vorblState = "aborted";
            },
        };
        // The shared font data lies beside this script, the program's .wasm beside its .js.
        window.Module.locateFile = (file, prefix) =>
            file === "vorbl_fonts.data" ? siteRoot + file : prefix + file;
        addScript(siteRoot + "vorbl_fonts.js");
        addScript(program + ".js");
        registerServiceWorker();
    }

    return {start, scriptPath, maxScriptBytes: MAX_SCRIPT_BYTES};
})();
