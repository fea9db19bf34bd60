// page_layout.js: fits the program's windows to the browser window, and the full-screen mode.
//
// The windows are frames placed on the element "vorbl-desktop" at their desktop positions in
// logical pixels (the browser host, platform/src/host/host_browser.js). This file scales that
// desktop as one piece (a CSS transform, so the windows keep their places relative to each
// other) to the largest size that fits the stage, the part of the page below the header beside
// or above the touch controls: a whole-number factor when there is room for at least one logical
// pixel per CSS pixel, the canvases then drawn with sharp square pixels, and a smooth factor
// below 1 only when the windows would not fit otherwise. It follows resizes, turns of a phone,
// and windows the program moves, shows or hides.
//
// Full screen shows the graphics window's content (menu bar and client area) alone, as large as
// the screen allows, with the touch controls if the page shows them: through the Fullscreen API
// where the browser has it for elements, otherwise by covering the browser window. Clicks keep
// landing at the right logical pixel at every scale, as the host maps them by the canvas's
// shown size.
//
// Needs: the elements vorbl-play, vorbl-stage, vorbl-desktop, vorbl-touch, vorbl-fullscreen and
// vorbl-leave-full of the page. Exposes vorblLayout.scale() (the factor in use, for tests).
"use strict";

const vorblLayout = (() => {
    const element = (id) => document.getElementById(id);
    let scale = 1;
    let full = false;
    let scheduled = false;

    const shown = (frame) => frame.style.display !== "none";

    // The frame of the graphics window: the package's "VORBL Graphics", else the first shown.
    function mainFrame(desktop) {
        const frames = Array.from(desktop.children).filter(shown);
        return frames.find((frame) => frame.querySelector('canvas[title="VORBL Graphics"]')) ||
               frames[0] || null;
    }

    // The logical rectangle to show: every shown window, or in full screen the graphics
    // window's content.
    function shownArea(desktop) {
        if (full) {
            const frame = mainFrame(desktop);
            const canvas = frame && frame.querySelector("canvas");
            if (canvas) {
                return {left: frame.offsetLeft + canvas.offsetLeft,
                        top: frame.offsetTop + canvas.offsetTop,
                        width: canvas.offsetWidth, height: canvas.offsetHeight};
            }
        }
        let width = 0;
        let height = 0;
        for (const frame of desktop.children) {
            if (!shown(frame)) continue;
            width = Math.max(width, frame.offsetLeft + frame.offsetWidth);
            height = Math.max(height, frame.offsetTop + frame.offsetHeight);
        }
        return {left: 0, top: 0, width, height};
    }

    // Whole factors from 1 up, a smooth one below 1 only where it must.
    function factorFor(fit) {
        if (!(fit > 0) || !Number.isFinite(fit)) return 1;
        return fit >= 1 ? Math.floor(fit) : fit;
    }

    // The play area takes the rest of the browser window below the header (at least a third of
    // it, so that a tall header on a small screen still leaves the windows room), or all of it
    // in full screen; the touch controls go beside the stage when the window is wider than tall.
    function sizePlayArea(play) {
        const header = document.querySelector("header");
        const viewHeight = window.innerHeight;
        const headerHeight = full || !header ? 0 : header.offsetHeight;
        play.style.height = Math.max(viewHeight - headerHeight, viewHeight / 3) + "px";
        play.classList.toggle("vorbl-side-by-side", window.innerWidth > viewHeight);
    }

    function layOut() {
        scheduled = false;
        const play = element("vorbl-play");
        const stage = element("vorbl-stage");
        const desktop = element("vorbl-desktop");
        if (!play || !stage || !desktop) return;
        sizePlayArea(play);
        const main = mainFrame(desktop);
        for (const canvas of desktop.querySelectorAll("canvas")) {
            canvas.classList.toggle("vorbl-main", !!main && canvas.parentElement === main);
        }
        const area = shownArea(desktop);
        desktop.style.width = area.left + area.width + "px";
        desktop.style.height = area.top + area.height + "px";
        if (area.width <= 0 || area.height <= 0) return;
        const room = {width: stage.clientWidth, height: stage.clientHeight};
        scale = factorFor(Math.min(room.width / area.width, room.height / area.height));
        const left = Math.max(0, Math.floor((room.width - area.width * scale) / 2));
        const top = full ? Math.max(0, Math.floor((room.height - area.height * scale) / 2)) : 0;
        desktop.style.transform = `translate(${left}px, ${top}px) scale(${scale}) ` +
                                  `translate(${-area.left}px, ${-area.top}px)`;
        desktop.classList.toggle("vorbl-smooth", scale < 1);
        desktop.dataset.scale = String(scale);
    }

    function schedule() {
        if (scheduled) return;
        scheduled = true;
        requestAnimationFrame(layOut);
    }

    // Full screen on or off. The Fullscreen API is asked for, not relied on: a browser that
    // refuses it for elements (or a page in a frame) still gets the covering layout.
    function setFull(on) {
        if (on === full) return;
        full = on;
        const play = element("vorbl-play");
        document.body.classList.toggle("vorbl-full", full);
        const leave = element("vorbl-leave-full");
        if (leave) leave.hidden = !full;
        if (full && play.requestFullscreen && !document.fullscreenElement) {
            play.requestFullscreen({navigationUI: "hide"}).catch(() => {});
        } else if (!full && document.fullscreenElement && document.exitFullscreen) {
            document.exitFullscreen().catch(() => {});
        }
        schedule();
    }

    function wireFullScreen() {
        const button = element("vorbl-fullscreen");
        if (button) button.addEventListener("click", () => setFull(!full));
        const leave = element("vorbl-leave-full");
        if (leave) leave.addEventListener("click", () => setFull(false));
        // Escape or the browser's own control ended the browser's full screen: leave ours too.
        document.addEventListener("fullscreenchange", () => {
            if (!document.fullscreenElement) setFull(false);
            schedule();
        });
    }

    function start() {
        const desktop = element("vorbl-desktop");
        if (!desktop) return;
        // Windows placed, sized, shown or hidden by the program (the desktop's own style, which
        // this file sets, is not watched).
        new MutationObserver((records) => {
            if (records.some((r) => r.type === "childList" || r.target !== desktop)) schedule();
        }).observe(desktop, {childList: true, subtree: true, attributes: true,
                             attributeFilter: ["style"]});
        window.addEventListener("resize", schedule);
        window.addEventListener("orientationchange", schedule);
        if (window.visualViewport) window.visualViewport.addEventListener("resize", schedule);
        new ResizeObserver(schedule).observe(document.querySelector("header") || document.body);
        wireFullScreen();
        schedule();
    }

    return {start, schedule, setFull, scale: () => scale, isFull: () => full};
})();
