// page_probe.js: read-only helpers the browser test puts into a page (window.vorblProbe) to
// look at the canvases the browser host draws: counts of the colours that matter, where the
// player's butterfly is, where a window's canvas sits, a fingerprint of each pixel row of the
// text window, and the client area compared with a reference picture.
window.vorblProbe = (() => {
    const kFace = [212, 208, 200];  // the menu bar and popups
    const kPlum = [153, 102, 153];  // DUSTY_PLUM, the sky
    const kWhite = [255, 255, 255];
    const kMagenta = [255, 0, 255];  // the player's butterfly
    const kMeadow = [51, 204, 153];  // SEA_GREEN, the scene's bottom band

    function canvas(title) {
        return document.querySelector(`canvas[title="${title}"]`);
    }

    function image(title) {
        const element = canvas(title);
        return element.getContext("2d").getImageData(0, 0, element.width, element.height);
    }

    const same = (data, at, rgb) =>
        data[at] === rgb[0] && data[at + 1] === rgb[1] && data[at + 2] === rgb[2];

    // Rows of menu bar at the top of the graphics window (measured at its right end, where no
    // menu title is).
    function barHeight(picture) {
        const x = picture.width - 3;
        let y = 0;
        while (y < picture.height && same(picture.data, (y * picture.width + x) * 4, kFace)) ++y;
        return y;
    }

    const rowHas = (picture, y, rgb) => {
        for (let x = 0; x < picture.width; ++x) {
            if (same(picture.data, (y * picture.width + x) * 4, rgb)) return true;
        }
        return false;
    };

    // The rows the night scene covers, from the sky's top row to the meadow's bottom row: the
    // butterfly is looked for there only, since rows of the client area outside the scene are
    // not repainted and may keep old pictures of it.
    function sceneRows(picture, top) {
        let first = top;
        while (first < picture.height && !rowHas(picture, first, kPlum)) ++first;
        let last = picture.height - 1;
        while (last > first && !rowHas(picture, last, kMeadow)) --last;
        return [first, last];
    }

    // The centre of the largest 8-connected group of magenta pixels among `points` (indices into
    // the picture): the player's butterfly. A star may twinkle magenta too, in a few pixels.
    function largestGroupCentre(picture, points, top) {
        const magenta = new Set(points);
        let best = null;
        for (const start of points) {
            if (!magenta.has(start)) continue;
            magenta.delete(start);
            const group = [start];
            for (let i = 0; i < group.length; ++i) {
                const x = group[i] % picture.width;
                const y = Math.floor(group[i] / picture.width);
                for (let dy = -1; dy <= 1; ++dy) {
                    for (let dx = -1; dx <= 1; ++dx) {
                        const nx = x + dx;
                        const next = (y + dy) * picture.width + nx;
                        if (nx >= 0 && nx < picture.width && magenta.has(next)) {
                            magenta.delete(next);
                            group.push(next);
                        }
                    }
                }
            }
            if (!best || group.length > best.length) best = group;
        }
        if (!best) return null;
        const sum = best.reduce((acc, at) => [acc[0] + at % picture.width,
                                              acc[1] + Math.floor(at / picture.width)], [0, 0]);
        return {x: sum[0] / best.length, y: sum[1] / best.length - top, pixels: best.length};
    }

    // Colour counts over the client area, the white pixels' bounding box, the player's centre.
    function graphics() {
        const picture = image("VORBL Graphics");
        const top = barHeight(picture);
        const [sceneTop, sceneBottom] = sceneRows(picture, top);
        const counts = {plum: 0, white: 0, face: 0, magenta: 0};
        const box = {left: picture.width, top: picture.height, right: -1, bottom: -1};
        const magentaPoints = [];
        for (let y = top; y < picture.height; ++y) {
            for (let x = 0; x < picture.width; ++x) {
                const at = (y * picture.width + x) * 4;
                if (same(picture.data, at, kPlum)) ++counts.plum;
                if (same(picture.data, at, kFace)) ++counts.face;
                if (y >= sceneTop && y <= sceneBottom && same(picture.data, at, kMagenta)) {
                    ++counts.magenta;
                    magentaPoints.push(y * picture.width + x);
                }
                if (same(picture.data, at, kWhite)) {
                    ++counts.white;
                    box.left = Math.min(box.left, x);
                    box.right = Math.max(box.right, x);
                    box.top = Math.min(box.top, y - top);
                    box.bottom = Math.max(box.bottom, y - top);
                }
            }
        }
        const player = largestGroupCentre(picture, magentaPoints, top);
        return {width: picture.width, height: picture.height, bar: top, counts, box, player};
    }

    // The colour at client pixel (x, y) of the graphics window.
    function clientPixel(x, y) {
        const picture = image("VORBL Graphics");
        const at = ((y + barHeight(picture)) * picture.width + x) * 4;
        return [picture.data[at], picture.data[at + 1], picture.data[at + 2]];
    }

    // One fingerprint per pixel row of the text window, and the count of rows with dark ink.
    function textRows() {
        const picture = image("VORBL Text");
        const rows = [];
        let inked = 0;
        for (let y = 0; y < picture.height; ++y) {
            let hash = 2166136261;
            let dark = false;
            for (let x = 0; x < picture.width * 4; ++x) {
                const value = picture.data[y * picture.width * 4 + x];
                hash = Math.imul(hash ^ value, 16777619) >>> 0;
                if (x % 4 === 0 && value < 96) dark = true;
            }
            rows.push(hash.toString(16));
            if (dark) ++inked;
        }
        return {rows, inked};
    }

    // Where a window's canvas (its content area) is on the page's desktop in logical pixels
    // (the page scales the desktop by its data-scale), whether it shows, and its shown size.
    function place(title) {
        const element = canvas(title);
        const desktopElement = document.getElementById("vorbl-desktop");
        const desktop = desktopElement.getBoundingClientRect();
        const scale = Number(desktopElement.dataset.scale || 1);
        const box = element.getBoundingClientRect();
        return {left: Math.round((box.left - desktop.left) / scale),
                top: Math.round((box.top - desktop.top) / scale),
                width: element.width, height: element.height, shown: box.width > 0,
                shownWidth: box.width, shownHeight: box.height,
                pageLeft: box.left, pageTop: box.top, pageRight: box.right,
                pageBottom: box.bottom};
    }

    // The client area of the graphics window against a PNG picture (base64) of the same size:
    // the count of pixels that differ, the first of them, and the client area as a PNG data URL.
    async function compareClient(pngBase64) {
        const blob = await (await fetch("data:image/png;base64," + pngBase64)).blob();
        const bitmap = await createImageBitmap(blob, {colorSpaceConversion: "none",
                                                      premultiplyAlpha: "none"});
        const scratch = new OffscreenCanvas(bitmap.width, bitmap.height);
        const context = scratch.getContext("2d");
        context.drawImage(bitmap, 0, 0);
        const expected = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
        const picture = image("VORBL Graphics");
        const top = barHeight(picture);
        const clientHeight = picture.height - top;
        const result = {width: picture.width, height: clientHeight, differing: 0, first: null};
        if (picture.width !== bitmap.width || clientHeight !== bitmap.height) return result;
        for (let y = 0; y < clientHeight; ++y) {
            for (let x = 0; x < picture.width; ++x) {
                const at = ((y + top) * picture.width + x) * 4;
                const want = (y * picture.width + x) * 4;
                if (picture.data[at] !== expected[want] || picture.data[at + 1] !== expected[want + 1] ||
                    picture.data[at + 2] !== expected[want + 2]) {
                    ++result.differing;
                    if (!result.first) result.first = {x, y};
                }
            }
        }
        if (result.differing) {
            const client = new OffscreenCanvas(picture.width, clientHeight);
            client.getContext("2d").drawImage(canvas("VORBL Graphics"), 0, -top);
            const reader = new FileReader();
            result.actual = await new Promise((resolve) => {
                client.convertToBlob().then((png) => {
                    reader.onload = () => resolve(reader.result);
                    reader.readAsDataURL(png);
                });
            });
        }
        return result;
    }

    // A fingerprint of the graphics window's client pixels.
    function clientFingerprint() {
        const picture = image("VORBL Graphics");
        let hash = 2166136261;
        for (let at = barHeight(picture) * picture.width * 4; at < picture.data.length; ++at) {
            hash = Math.imul(hash ^ picture.data[at], 16777619) >>> 0;
        }
        return hash.toString(16);
    }

    // A fingerprint of the client pixels in the rectangle [x0, x1) x [y0, y1) of the graphics
    // window.
    function regionFingerprint(x0, y0, x1, y1) {
        const picture = image("VORBL Graphics");
        const top = barHeight(picture);
        let hash = 2166136261;
        for (let y = y0; y < y1; ++y) {
            for (let x = x0; x < x1; ++x) {
                const at = ((y + top) * picture.width + x) * 4;
                for (let c = 0; c < 3; ++c) hash = Math.imul(hash ^ picture.data[at + c], 16777619) >>> 0;
            }
        }
        return hash.toString(16);
    }

    // The 8-connected groups among `points` (indices into the picture).
    function pixelGroups(picture, points) {
        const left = new Set(points);
        const groups = [];
        for (const start of points) {
            if (!left.has(start)) continue;
            left.delete(start);
            const group = [start];
            for (let i = 0; i < group.length; ++i) {
                const x = group[i] % picture.width;
                for (let dy = -1; dy <= 1; ++dy) {
                    for (let dx = -1; dx <= 1; ++dx) {
                        const next = group[i] + dy * picture.width + dx;
                        if (x + dx >= 0 && x + dx < picture.width && left.has(next)) {
                            left.delete(next);
                            group.push(next);
                        }
                    }
                }
            }
            groups.push(group);
        }
        return groups;
    }

    // The centre of the largest black butterfly in the night scene, in client coordinates, or
    // null: the largest group of black pixels that does not touch magenta (the player's black
    // antennae do) and is no wider than a butterfly (the boat's hull is a long black line).
    function blackCentre() {
        const picture = image("VORBL Graphics");
        const top = barHeight(picture);
        const [sceneTop, sceneBottom] = sceneRows(picture, top);
        const black = [];
        for (let y = sceneTop; y <= sceneBottom; ++y) {
            for (let x = 0; x < picture.width; ++x) {
                if (same(picture.data, (y * picture.width + x) * 4, [0, 0, 0])) {
                    black.push(y * picture.width + x);
                }
            }
        }
        const touchesMagenta = (at) => [-1, 1, -picture.width, picture.width].some(
            (d) => at + d >= 0 && same(picture.data, (at + d) * 4, kMagenta));
        const narrow = (g) => {
            const xs = g.map((at) => at % picture.width);
            return Math.max(...xs) - Math.min(...xs) <= 30;
        };
        const enemies = pixelGroups(picture, black).filter((g) => narrow(g) && !g.some(touchesMagenta));
        if (!enemies.length) return null;
        const best = enemies.reduce((a, b) => (b.length > a.length ? b : a));
        const sum = best.reduce((acc, at) => [acc[0] + at % picture.width,
                                              acc[1] + Math.floor(at / picture.width)], [0, 0]);
        return {x: sum[0] / best.length, y: sum[1] / best.length - top, pixels: best.length};
    }

    return {graphics, clientPixel, regionFingerprint, blackCentre, textRows, place, compareClient, clientFingerprint,
            canvas: (title) => !!canvas(title), canvasElement: canvas};
})();
