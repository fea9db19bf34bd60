// browser_test.mjs: the browser build's pages in a real browser (Debian's chromium, headless,
// driven by puppeteer-core), checked by their pixels and by what their programs print.
//
//   node tests/browser/browser_test.mjs [web directory]      (default: build/browser/web)
//
// The input probe page (Chromium): keys and clicks on the page reach a Win32 program as Windows gives them
// (virtual key, scan code, extended and transition bits, characters, client coordinates).
// The game page (Chromium), in one sequence: the instruction screen (the sky's colour, the white box),
// N starts a round, a held keypad digit moves the butterfly, a click opens the Run menu, Ctrl+L
// puts drawing-log lines into the text window, a recording of a held digit is downloaded and
// played back, a waiting program does not spin, and loaded script files (a good one, one that is
// not a script, a binary one, one too large for the page) give the package's own messages and
// nothing else. The example pages: each starts, draws and ends on Ctrl+Q with exit code 0; the
// still picture is the desktop's reference picture (docs/images) pixel for pixel, text included;
// the bouncing ball moves; a click is written in the text window. The page as a web game, in
// Chromium and then in Firefox (Debian's firefox-esr, over WebDriver BiDi): keys after each page
// control reach the game and the package's Ctrl keys are taken from the browser; a reload
// during a recording asks first and the recording comes back; at 1920 x 1080, 1024 x 768 and
// on a 390 x 844 touch phone both windows fit at one scale and clicks and taps land on the
// panel's buttons; a round is played to its end with the touch keys. Loading, in Chromium
// (served by the project's scripts/serve-web.py from a copy of the pages): the compressed files
// with their headers; one visit lets the service worker keep the game, which then starts with
// the server stopped; after a rebuild the next visit, online and then offline, gets the new page.
// Prints one "ok"/"not ok" line per check; on a failure it writes a screenshot to
// build/browser/test-output/ and exits with 1.
import {execFileSync} from "node:child_process";
import fs from "node:fs";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import {fileURLToPath} from "node:url";
import zlib from "node:zlib";

import {launchChromium, launchFirefox, openProgramPage, serveDirectory, serveWithProjectServer,
        sleep, waitFor} from "./page_support.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
const webDir = path.resolve(process.argv[2] || path.join(here, "../../build/browser/web"));
const outputDir = path.join(webDir, "..", "test-output");
const probeSource = fs.readFileSync(path.join(here, "page_probe.js"), "utf8");

class CheckFailed extends Error {}

function expect(condition, message) {
    if (!condition) throw new CheckFailed(message);
}

let checkCount = 0;
async function check(page, name, body) {
    ++checkCount;
    try {
        await body();
        console.log(`ok ${checkCount} - ${name}`);
    } catch (error) {
        console.log(`not ok ${checkCount} - ${name}: ${error.message}`);
        fs.mkdirSync(outputDir, {recursive: true});
        const shot = path.join(outputDir, `failed-${checkCount}.png`);
        await page.screenshot({path: shot}).catch(() => {});
        console.log(`# screenshot: ${shot}`);
        throw error;
    }
}

// A keypad digit going down or up with NumLock on. puppeteer's keyboard knows the keypad only
// with NumLock off (its Numpad8 is ArrowUp), so the key event is sent through the protocol.
async function keypad(page, digit, down) {
    const session = await page.createCDPSession();
    const event = {type: down ? "keyDown" : "keyUp", key: String(digit), code: `Numpad${digit}`,
                   windowsVirtualKeyCode: 96 + digit, location: 3};
    if (down) event.text = String(digit);
    await session.send("Input.dispatchKeyEvent", event);
    await session.detach();
}

async function pressKeypad(page, digit) {
    await keypad(page, digit, true);
    await keypad(page, digit, false);
}

// ---- The input probe ----------------------------------------------------------------------

async function checkInputProbe(browser, url) {
    const {page, problems, printed} = await openProgramPage(browser, url + "checks/input_probe.html");
    await page.addScriptTag({content: probeSource});
    await waitFor(() => printed.includes("ready"), 5000);
    const next = async (action, count) => {
        const from = printed.length;
        await action();
        await waitFor(() => printed.length >= from + count, 3000);
        await sleep(100);  // anything beyond the expected lines would show up by now
        return printed.slice(from);
    };
    const keys = page.keyboard;
    await check(page, "input probe: its window is a canvas at (40, 60) of 300 x 200", async () => {
        const box = await page.evaluate(() => window.vorblProbe.place("Input probe"));
        expect(box.left === 40 && box.top === 60, `placed at ${box.left}, ${box.top}`);
        expect(box.width === 300 && box.height === 200, `size ${box.width} x ${box.height}`);
    });
    const cases = [
        ["a letter", () => keys.press("KeyA"),
         ["WM_KEYDOWN 41 001e0001", "WM_CHAR 61 001e0001", "WM_KEYUP 41 c01e0001"]],
        ["Shift+1 types !", async () => {
            await keys.down("Shift");
            await keys.press("Digit1");
            await keys.up("Shift");
        }, ["WM_KEYDOWN 10 002a0001", "WM_KEYDOWN 31 00020001", "WM_CHAR 21 00020001",
            "WM_KEYUP 31 c0020001", "WM_KEYUP 10 c02a0001"]],
        ["a keypad digit with NumLock on", () => pressKeypad(page, 8),
         ["WM_KEYDOWN 68 00480001", "WM_CHAR 38 00480001", "WM_KEYUP 68 c0480001"]],
        ["a keypad digit with NumLock off is its navigation key", () => keys.press("Numpad8"),
         ["WM_KEYDOWN 26 00480001", "WM_KEYUP 26 c0480001"]],
        ["an arrow key is extended", () => keys.press("ArrowUp"),
         ["WM_KEYDOWN 26 01480001", "WM_KEYUP 26 c1480001"]],
        ["Ctrl+L gives character 12", async () => {
            await keys.down("Control");
            await keys.press("KeyL");
            await keys.up("Control");
        }, ["WM_KEYDOWN 11 001d0001", "WM_KEYDOWN 4c 00260001", "WM_CHAR c 00260001",
            "WM_KEYUP 4c c0260001", "WM_KEYUP 11 c01d0001"]],
        ["the right Ctrl key is extended", () => keys.press("ControlRight"),
         ["WM_KEYDOWN 11 011d0001", "WM_KEYUP 11 c11d0001"]],
        ["the keypad Enter is extended, the main Enter is not", async () => {
            await keys.press("NumpadEnter");
            await keys.press("Enter");
        }, ["WM_KEYDOWN d 011c0001", "WM_CHAR d 011c0001", "WM_KEYUP d c11c0001",
            "WM_KEYDOWN d 001c0001", "WM_CHAR d 001c0001", "WM_KEYUP d c01c0001"]],
        ["a character of another layout arrives as its Windows-1252 byte", async () => {
            const session = await page.createCDPSession();
            await session.send("Input.dispatchKeyEvent",
                               {type: "keyDown", key: "é", code: "Digit2", text: "é",
                                windowsVirtualKeyCode: 50});
            await session.send("Input.dispatchKeyEvent",
                               {type: "keyUp", key: "é", code: "Digit2", windowsVirtualKeyCode: 50});
            await session.detach();
        }, ["WM_KEYDOWN 32 00030001", "WM_CHAR e9 00030001", "WM_KEYUP 32 c0030001"]],
    ];
    for (const [name, action, expected] of cases) {
        await check(page, `input probe: ${name}`, async () => {
            const got = await next(action, expected.length);
            expect(JSON.stringify(got) === JSON.stringify(expected),
                   `got ${JSON.stringify(got)}, expected ${JSON.stringify(expected)}`);
        });
    }
    await check(page, "input probe: a click gives client coordinates at the page's scale", async () => {
        const box = await (await page.$('canvas[title="Input probe"]')).boundingBox();
        const scale = box.width / 300;
        const got = await next(() => page.mouse.click(box.x + 10.5 * scale, box.y + 30.5 * scale), 2);
        expect(JSON.stringify(got) === JSON.stringify(["WM_LBUTTONDOWN 1 001e000a",
                                                       "WM_LBUTTONUP 0 001e000a"]),
               `got ${JSON.stringify(got)}`);
    });
    await check(page, "input probe: MoveWindow moves and resizes its canvas", async () => {
        await next(() => keys.press("KeyM"), 4);
        const box = await page.evaluate(() => window.vorblProbe.place("Input probe"));
        expect(box.left === 100 && box.top === 120 && box.width === 320 && box.height === 220,
               `at ${box.left}, ${box.top}, ${box.width} x ${box.height}`);
    });
    await check(page, "input probe: a minimised window shows its caption alone, a click there " +
                      "restores it", async () => {
        await next(() => keys.press("KeyN"), 3);
        const frameState = () => page.evaluate(() => {
            const canvas = document.querySelector('canvas[title="Input probe"]');
            return {state: canvas.parentElement.dataset.showState, shown: canvas.offsetWidth > 0};
        });
        let now = await frameState();
        expect(now.state === "minimized" && !now.shown, `minimised: ${JSON.stringify(now)}`);
        const got = await next(() => page.evaluate(() => document.querySelector(
            'canvas[title="Input probe"]').parentElement.querySelector(".vorbl-caption").click()), 1);
        now = await frameState();
        expect(JSON.stringify(got) === JSON.stringify(["WM_SIZE 0"]), `got ${JSON.stringify(got)}`);
        expect(now.state === "normal" && now.shown, `restored: ${JSON.stringify(now)}`);
    });
    await check(page, "input probe: no page errors", async () => {
        expect(problems.length === 0, problems.join("; "));
    });
    await page.close();
}

// ---- The game -----------------------------------------------------------------------------

async function ctrl(page, code) {
    await page.keyboard.down("Control");
    await page.keyboard.press(code);
    await page.keyboard.up("Control");
}

const graphics = (page) => page.evaluate(() => window.vorblProbe.graphics());

// Where the butterfly rests: the median of a few samples, as an enemy flying over it hides part
// of it now and then.
async function restingPlace(page) {
    const seen = [];
    for (let i = 0; i < 7; ++i) {
        const player = (await graphics(page)).player;
        if (player) seen.push(player);
        await sleep(80);
    }
    const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
    return seen.length ? {x: median(seen.map((p) => p.x)), y: median(seen.map((p) => p.y))} : null;
}
const textRows = (page) => page.evaluate(() => window.vorblProbe.textRows());
const scriptText = (page) => page.evaluate(() => {
    try {
        return new TextDecoder().decode(Module.FS.readFile(vorblPage.scriptPath()));
    } catch (error) {
        return null;
    }
});

// How many lines the text window scrolled from `before` to `after` (its newest line is at the
// bottom and pushes the others up): the smallest line count k and line height h with the rows
// above the bottom k lines equal to the old rows moved up by k * h; 0 when nothing changed,
// -1 when no such shift explains the change.
function linesAdded(before, after) {
    const rows = before.rows.length;
    if (before.rows.every((row, y) => row === after.rows[y])) return 0;
    for (let k = 1; k <= 3; ++k) {
        for (let h = 12; h <= 20; ++h) {
            let matches = true;
            for (let y = 0; y + k * h < rows && matches; ++y) {
                matches = after.rows[y] === before.rows[y + k * h];
            }
            if (matches) return k;
        }
    }
    return -1;
}

// The bottom 12 pixel rows of the text window: part of its newest line.
const newestLine = (text) => text.rows.slice(-12).join(",");

// Presses Ctrl+P and waits until the text window shows one more line; returns the new picture.
async function playbackUntilMessage(page, before, ms = 8000) {
    await ctrl(page, "KeyP");
    return waitFor(async () => {
        const now = await textRows(page);
        return linesAdded(before, now) > 0 ? now : null;
    }, ms);
}

async function loadScriptFile(page, file) {
    const input = await page.$("#vorbl-load");
    await input.uploadFile(file);
    await waitFor(() => page.evaluate(() => document.getElementById("vorbl-load").value === ""), 5000);
}

// Starting and stopping a recording during which nothing happens closes the script file, so the
// next playback opens VORBL.SCR anew (after a playback has reached its end the package keeps the
// file open there, as on the desktop).
async function closeScriptFile(page) {
    await ctrl(page, "KeyR");
    await ctrl(page, "KeyR");
    await sleep(200);
}

async function checkGame(browser, url) {
    const {page, problems} = await openProgramPage(browser, url + "wingfeast.html");
    await page.addScriptTag({content: probeSource});
    const scratch = fs.mkdtempSync(path.join(os.tmpdir(), "vorbl-browser-"));

    await check(page, "game: the windows' client areas are where Windows puts them, on the page",
                async () => {
        await waitFor(() => page.evaluate(() => vorblProbe.canvas("VORBL Text") &&
                                                vorblProbe.canvas("VORBL Graphics")), 5000);
        const graphicsWindow = await page.evaluate(() => vorblProbe.place("VORBL Graphics"));
        const textWindow = await page.evaluate(() => vorblProbe.place("VORBL Text"));
        expect(graphicsWindow.shown && textWindow.shown, "a window is hidden");
        // WS_CAPTION | WS_SYSMENU at (0, 0): a 3-pixel fixed frame and a 19-pixel caption, then
        // the content: the menu bar and the 595 x 496 client area.
        expect(graphicsWindow.left === 3 && graphicsWindow.top === 22 &&
               graphicsWindow.width === 595,
               `graphics content at ${graphicsWindow.left}, ${graphicsWindow.top}, ` +
               `${graphicsWindow.width} wide`);
        // WS_OVERLAPPEDWINDOW at (0, 550): a 4-pixel sizing frame and the caption.
        expect(textWindow.left === 4 && textWindow.top === 550 + 4 + 19,
               `text content at ${textWindow.left}, ${textWindow.top}`);
        expect(textWindow.top >= graphicsWindow.top + graphicsWindow.height,
               "the text window overlaps the graphics window");
    });

    await check(page, "game: the instruction screen shows the plum sky and the white box", async () => {
        const picture = await waitFor(async () => {
            const g = await graphics(page);
            return g.counts.white > 100000 ? g : null;
        }, 5000);
        expect(picture, "no white box");
        expect(picture.bar === 19, `menu bar of ${picture.bar} rows`);
        expect(picture.height - picture.bar === 496, `client area ${picture.height - picture.bar} high`);
        const sky = await page.evaluate(() => vorblProbe.clientPixel(150, 20));
        expect(sky.join() === "153,102,153", `sky pixel ${sky}`);
        expect(picture.counts.plum > 30000, `${picture.counts.plum} sky pixels`);
        const {box} = picture;
        expect(box.right - box.left >= 450 && box.bottom - box.top >= 300,
               `white box ${JSON.stringify(box)}`);
    });

    // The panel's Ctrl+P with no VORBL.SCR yet: the reader's message for a file it cannot open.
    let cannotOpenLine = "";
    await check(page, "game: playback without VORBL.SCR says the file cannot be opened", async () => {
        const before = await textRows(page);
        const after = await playbackUntilMessage(page, before);
        expect(after, "no message in the text window");
        expect(linesAdded(before, after) === 1, "more than one line");
        cannotOpenLine = newestLine(after);
        await ctrl(page, "KeyA");  // playback halted the animation
    });

    await check(page, "game: N starts a round", async () => {
        await page.keyboard.press("KeyN");
        const round = await waitFor(async () => {
            const g = await graphics(page);
            return g.counts.white < 20000 && g.player ? g : null;
        }, 5000);
        expect(round, "the instruction box stayed or no butterfly is shown");
    });

    let recorded = "";
    await check(page, "game: a recording of a held keypad 8 holds its key and its periodic events",
                async () => {
        await ctrl(page, "KeyR");
        await keypad(page, 8, true);
        await sleep(300);
        await keypad(page, 8, false);
        await pressKeypad(page, 5);
        await sleep(300);
        await ctrl(page, "KeyR");
        recorded = await waitFor(() => scriptText(page), 2000);
        expect(recorded, "no VORBL.SCR");
        const lines = recorded.trimEnd().split("\n");
        expect(lines.every((line) => /^VORBL_(KBD|PERIODIC)\(\d+\);$/.test(line)),
               `unexpected lines ${JSON.stringify(lines)}`);
        const up = lines.indexOf("VORBL_KBD(56);");
        const stop = lines.indexOf("VORBL_KBD(53);");
        expect(up >= 0 && stop > up + 1 && /PERIODIC/.test(lines[up + 1]),
               `key 8, periodic events, key 5 missing in ${JSON.stringify(lines)}`);
    });

    await check(page, "game: the page downloads the recorded VORBL.SCR", async () => {
        const session = await browser.target().createCDPSession();
        await session.send("Browser.setDownloadBehavior", {behavior: "allow", downloadPath: scratch});
        await page.click("#vorbl-download");
        const file = path.join(scratch, "VORBL.SCR");
        const done = await waitFor(() => fs.existsSync(file), 5000);
        await session.detach();
        expect(done, "nothing downloaded");
        expect(fs.readFileSync(file, "utf8") === recorded, "the download differs from VORBL.SCR");
    });

    let endOfFileLine = "";
    await check(page, "game: playback replays the recording and ends with the end-of-file message",
                async () => {
        await page.evaluate(() => document.activeElement.blur());  // keys to the game again
        const start = await restingPlace(page);
        const before = await textRows(page);
        const after = await playbackUntilMessage(page, before);
        expect(after, "no end-of-file message");
        endOfFileLine = newestLine(after);
        expect(endOfFileLine !== cannotOpenLine, "the same message as for a missing file");
        // Key 8, then a run of periodic events of 20 pixels up each, then key 5: from near the
        // flower at the bottom, where the round put the butterfly, it cannot reach the top.
        const lines = recorded.trimEnd().split("\n");
        const run = Number(/\d+/.exec(lines[lines.indexOf("VORBL_KBD(56);") + 1])[0]);
        const end = await restingPlace(page);
        expect(Math.abs(start.y - end.y - 20 * run) <= 12,
               `the butterfly went from ${start.y.toFixed(1)} to ${end.y.toFixed(1)}, ` +
               `not ${20 * run} pixels up`);
    });

    await check(page, "game: a halted game waits without spinning", async () => {
        const wakes = () => page.evaluate(() => Module.vorblHost.wakes);
        const first = await wakes();
        await sleep(2000);
        const rate = ((await wakes()) - first) / 2;
        // The package's 50 ms timer goes on while halted: about 20 wakes a second.
        expect(rate <= 30, `${rate} wakes per second`);
    });

    await ctrl(page, "KeyA");  // playback halted the animation

    // Positions of the player's butterfly, sampled every 100 ms while a keypad digit is held.
    const track = async (digit, samples) => {
        const seen = [];
        await keypad(page, digit, true);
        for (let i = 0; i < samples; ++i) {
            seen.push((await graphics(page)).player);
            await sleep(100);
        }
        await keypad(page, digit, false);
        return seen;
    };
    // Moves between samples in which the butterfly is seen (wrapping round, it is wholly off
    // the canvas for a moment).
    const steps = (seen, axis) => seen.slice(1).flatMap((p, i) =>
        p && seen[i] ? [p[axis] - seen[i][axis]] : []);

    // Steps between samples: a large jump is the butterfly wrapping round the canvas edge; the
    // others add up in the held direction, 20 pixels a frame. (Enemies drawn over it, or a
    // catch that grows it, may move the centre of its magenta pixels against the direction for
    // a sample.)
    const movedOneWay = (moves, sign) => {
        const small = moves.filter((d) => Math.abs(d) < 100);
        const along = small.filter((d) => sign * d > 0).length;
        const against = small.filter((d) => sign * d < 0).length;
        const total = small.reduce((sum, d) => sum + sign * d, 0);
        return along > against && total >= 60;
    };
    const describeSteps = (moves) => moves.map((d) => d.toFixed(1)).join(" ");

    await check(page, "game: a held keypad 6 moves the butterfly right", async () => {
        const moves = steps(await track(6, 12), "x");
        expect(movedOneWay(moves, +1), `x steps ${describeSteps(moves)}`);
    });
    // Up for about 6 frames only: it stays clear of the top edge for the next check.
    await check(page, "game: a held keypad 8 moves it up", async () => {
        const moves = steps(await track(8, 7), "y");
        expect(movedOneWay(moves, -1), `y steps ${describeSteps(moves)}`);
    });
    await check(page, "game: the top row's 4 moves it left", async () => {
        await page.keyboard.press("Digit4");
        const seen = [];
        for (let i = 0; i < 12; ++i) {
            seen.push((await graphics(page)).player);
            await sleep(100);
        }
        const moves = steps(seen, "x");
        expect(movedOneWay(moves, -1), `x steps ${describeSteps(moves)}`);
        await pressKeypad(page, 5);
    });

    // As on Windows, the first Escape closes the popup and keeps the bar selected; the second
    // leaves the menu, and neither reaches the game.
    await check(page, "game: a click on Run opens its menu, Escape twice leaves it", async () => {
        const canvas = await page.$('canvas[title="VORBL Graphics"]');
        const box = await canvas.boundingBox();
        const bar = (await graphics(page)).bar;
        await page.mouse.click(box.x + 16, box.y + bar / 2);
        const open = await waitFor(async () => {
            const g = await graphics(page);
            return g.counts.face > 10000 ? g : null;
        }, 3000);
        expect(open, "no menu face below the bar");
        await page.keyboard.press("Escape");
        const closed = await waitFor(async () => (await graphics(page)).counts.face === 0, 3000);
        expect(closed, "the popup stayed");
        await page.keyboard.press("Escape");
        await sleep(200);
    });

    await check(page, "game: Ctrl+L fills the text window with drawing-log lines, Ctrl+L ends them",
                async () => {
        const before = await textRows(page);
        await ctrl(page, "KeyL");
        const logged = await waitFor(async () => {
            const t = await textRows(page);
            return t.inked > before.inked + 60 ? t : null;
        }, 5000);
        expect(logged, `ink rows ${before.inked} before, no growth`);
        await ctrl(page, "KeyL");
        await sleep(300);
        const settled = await textRows(page);
        await sleep(500);
        expect(linesAdded(settled, await textRows(page)) === 0, "log lines go on after Ctrl+L");
    });

    const loaded = async (name, bytes) => {
        const file = path.join(scratch, name);
        fs.writeFileSync(file, bytes);
        await closeScriptFile(page);
        await loadScriptFile(page, file);
    };

    await check(page, "game: a loaded script plays back like a recorded one", async () => {
        // Two steps of 20 pixels towards the middle, so the butterfly cannot wrap round.
        await pressKeypad(page, 5);
        await sleep(300);
        const picture = await graphics(page);
        const start = await restingPlace(page);
        const toLeft = start.x > picture.width / 2;
        const key = toLeft ? 52 : 54;
        await loaded("steps.scr", `VORBL_KBD(${key});\nVORBL_PERIODIC(2);\nVORBL_KBD(53);\n`);
        expect((await scriptText(page)).startsWith(`VORBL_KBD(${key});`), "VORBL.SCR not replaced");
        const before = await textRows(page);
        const after = await playbackUntilMessage(page, before);
        expect(after && linesAdded(before, after) === 1, "no single message");
        expect(newestLine(after) === endOfFileLine, "not the end-of-file message");
        const end = await restingPlace(page);
        const expected = toLeft ? -40 : 40;
        expect(Math.abs(end.x - start.x - expected) <= 12,
               `the butterfly went from ${start.x.toFixed(1)} to ${end.x.toFixed(1)}, ` +
               `not ${expected} pixels`);
    });

    // A file that is not a script stops playback at its first line that is not an event, with
    // the package's one message for it ("... has a line that is not an event").
    const oneMessagePlayback = async (name, bytes) => {
        await loaded(name, bytes);
        const before = await textRows(page);
        const after = await playbackUntilMessage(page, before);
        expect(after && linesAdded(before, after) === 1, "not a single message");
    };
    await check(page, "game: a text file that is not a script gives one message", async () => {
        await oneMessagePlayback("notes.txt", "Shopping list\nmilk\nbread\n");
    });
    await check(page, "game: a binary file gives one message", async () => {
        const bytes = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0, 0, 0, 0x0d,
                                   0x49, 0x48, 0x44, 0x52, 0, 0, 1, 0, 0xff, 0xfe, 0x0a, 0x00]);
        await oneMessagePlayback("picture.png", bytes);
    });
    await check(page, "game: a file too large for the page gives the message for a file it cannot open",
                async () => {
        const limit = await page.evaluate(() => vorblPage.maxScriptBytes);
        await loaded("huge.scr", Buffer.alloc(limit + 1, "VORBL_PERIODIC(1);\n"));
        expect((await scriptText(page)) === null, "VORBL.SCR is there");
        const before = await textRows(page);
        const after = await playbackUntilMessage(page, before);
        expect(after && linesAdded(before, after) === 1, "no single message");
        expect(newestLine(after) === cannotOpenLine, "not the message for a file it cannot open");
    });

    await check(page, "game: Ctrl+Q ends the program with exit code 0", async () => {
        await ctrl(page, "KeyQ");
        const ended = await waitFor(() => page.evaluate(() => document.body.dataset.vorblExitCode), 5000);
        expect(ended === "0", `exit code ${ended}`);
    });

    await check(page, "game: no page errors, console errors or dialogs", async () => {
        expect(problems.length === 0, problems.join("; "));
    });
    fs.rmSync(scratch, {recursive: true, force: true});
    await page.close();
}

// ---- The example programs ---------------------------------------------------------------

const nonWhite = (picture) => picture.width * (picture.height - picture.bar) - picture.counts.white;

async function checkExamples(browser, url) {
    const examples = fs.readdirSync(webDir).filter((name) => name.endsWith(".html"))
        .map((name) => name.slice(0, -5)).filter((name) => name !== "index" && name !== "wingfeast");
    for (const example of examples) {
        const {page, problems} = await openProgramPage(browser, `${url}${example}.html`);
        await page.addScriptTag({content: probeSource});
        await waitFor(() => page.evaluate(() => vorblProbe.canvas("VORBL Graphics")), 5000);
        await check(page, `example ${example}: starts and draws`, async () => {
            const drawn = await waitFor(async () => nonWhite(await graphics(page)) > 1000, 5000);
            expect(drawn, "the client area stays white");
        });
        if (example === "static_picture") {
            await check(page, "example static_picture: the client area is the desktop's picture, " +
                              "pixel for pixel", async () => {
                const reference = path.join(here, "../../docs/images/example-static-picture.png");
                const base64 = fs.readFileSync(reference).toString("base64");
                const result = await page.evaluate((png) => vorblProbe.compareClient(png), base64);
                if (result.actual) {
                    fs.mkdirSync(outputDir, {recursive: true});
                    const actual = path.join(outputDir, "example-static-picture.actual.png");
                    fs.writeFileSync(actual, Buffer.from(result.actual.split(",")[1], "base64"));
                    console.log(`# actual picture: ${actual}`);
                }
                expect(result.width === 595 && result.height === 496,
                       `client area ${result.width} x ${result.height}`);
                expect(result.differing === 0, `${result.differing} pixels differ, the first at ` +
                                               JSON.stringify(result.first));
            });
        }
        if (example === "bouncing_ball") {
            await check(page, "example bouncing_ball: the picture changes as the ball moves",
                        async () => {
                const fingerprint = () => page.evaluate(() => vorblProbe.clientFingerprint());
                const first = await fingerprint();
                const moved = await waitFor(async () => (await fingerprint()) !== first, 2000);
                expect(moved, "the picture stayed the same for 2 s");
            });
        }
        if (example === "click_and_type") {
            await check(page, "example click_and_type: a click is written in the text window", async () => {
                const before = await textRows(page);
                const canvas = await page.$('canvas[title="VORBL Graphics"]');
                const box = await canvas.boundingBox();
                await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
                const after = await waitFor(async () => {
                    const now = await textRows(page);
                    return linesAdded(before, now) > 0 ? now : null;
                }, 3000);
                expect(after, "no new line in the text window");
            });
        }
        await check(page, `example ${example}: Ctrl+Q ends it with exit code 0, without page errors`,
                    async () => {
            await ctrl(page, "KeyQ");
            const ended = await waitFor(
                () => page.evaluate(() => document.body.dataset.vorblExitCode), 5000);
            expect(ended === "0", `exit code ${ended}`);
            expect(problems.length === 0, problems.join("; "));
        });
        await page.close();
    }
}

// ---- Loading: the project's server, the service worker, offline start-up ------------------

// The files a page loads, copied into a directory of their own (the worker's test rebuilds one).
function copySite(from, to) {
    fs.cpSync(from, to, {recursive: true,
                         filter: (source) => !/(CMakeFiles|Makefile|cmake_install\.cmake)$/.test(source)});
}

// GET `url` with the given request headers; resolves to {status, headers, body}.
function httpGet(url, headers) {
    return new Promise((resolve, reject) => {
        http.get(url, {headers}, (response) => {
            const chunks = [];
            response.on("data", (chunk) => chunks.push(chunk));
            response.on("end", () => resolve({status: response.statusCode, headers: response.headers,
                                              body: Buffer.concat(chunks)}));
        }).on("error", reject);
    });
}

async function checkProjectServer(url, site) {
    const wasm = fs.readFileSync(path.join(site, "wingfeast.wasm"));
    const cases = [
        {accept: "gzip, deflate, br", encoding: "br", decode: zlib.brotliDecompressSync},
        {accept: "gzip", encoding: "gzip", decode: zlib.gunzipSync},
        {accept: "br;q=0, gzip;q=0.5", encoding: "gzip", decode: zlib.gunzipSync},
        {accept: "", encoding: undefined, decode: (bytes) => bytes},
    ];
    for (const {accept, encoding, decode} of cases) {
        const reply = await httpGet(`${url}wingfeast.wasm`, accept ? {"Accept-Encoding": accept} : {});
        const h = reply.headers;
        expect(reply.status === 200 && h["content-type"] === "application/wasm",
               `Accept-Encoding "${accept}": ${reply.status} ${h["content-type"]}`);
        expect(h["content-encoding"] === encoding && h.vary === "Accept-Encoding",
               `Accept-Encoding "${accept}": Content-Encoding ${h["content-encoding"]}, Vary ${h.vary}`);
        expect(h["cache-control"] === "no-cache" && h.etag, `cache headers ${h["cache-control"]} ${h.etag}`);
        expect(decode(reply.body).equals(wasm), `Accept-Encoding "${accept}": not the file's bytes`);
        const again = await httpGet(`${url}wingfeast.wasm`,
                                    {"Accept-Encoding": accept, "If-None-Match": h.etag});
        expect(again.status === 304 && again.body.length === 0, `revalidation: ${again.status}`);
    }
    const manifest = await httpGet(`${url}wingfeast.webmanifest`, {});
    expect(manifest.headers["content-type"] === "application/manifest+json",
           `manifest served as ${manifest.headers["content-type"]}`);
    expect((await httpGet(`${url}../README.md`, {})).status === 404, "a file outside the site is served");
}

// The worker's state as the page sees it: whether it controls the page, and its caches.
const workerState = (page) => page.evaluate(async () => {
    const caches_ = {};
    for (const name of await caches.keys()) {
        caches_[name] = (await (await caches.open(name)).keys()).map((r) => new URL(r.url).pathname);
    }
    return {controlled: Boolean(navigator.serviceWorker.controller), caches: caches_};
});

// Waits until the page is controlled by a worker with one cache, not named `notBuild`, that
// holds the game; resolves to the state and that cache's name, or null.
async function waitForGameKept(page, notBuild = "") {
    return waitFor(async () => {
        const state = await workerState(page);
        const names = Object.keys(state.caches);
        const kept = names.length === 1 && names[0] !== notBuild ? state.caches[names[0]] : [];
        return state.controlled && kept.includes("/wingfeast.wasm") &&
               kept.includes("/vorbl_fonts.data") ? {...state, name: names[0]} : null;
    }, 60000, 200);  // the worker fetches the game's files again: slow on a busy machine
}

async function showsPlumSky(page) {
    await page.addScriptTag({content: probeSource});
    return waitFor(() => page.evaluate(() => vorblProbe.graphics().counts.plum > 30000), 10000);
}

// One visit through the project's server; the server stops and the page opens again from the
// worker's cache; a rebuilt page (a changed file, the worker written again by the build's last
// step) replaces the kept one at the next online visit, and the old build's cache goes.
async function checkOfflineStart(browser) {
    const site = fs.mkdtempSync(path.join(os.tmpdir(), "vorbl-site-"));
    copySite(webDir, site);
    let server = await serveWithProjectServer(site);
    const context = await browser.createBrowserContext();
    const {page, problems} = await openProgramPage(context, `${server.url}wingfeast.html`);
    let firstBuild = "";
    try {
        await check(page, "loading: the project's server sends the compressed files with their headers",
                    () => checkProjectServer(server.url, site));
        await check(page, "loading: one visit installs the service worker, which keeps the game", async () => {
            const kept = await waitForGameKept(page);
            expect(kept, `worker state ${JSON.stringify(await workerState(page))}`);
            firstBuild = kept.name;
        });
        await check(page, "loading: with the server stopped, the game page starts from the worker's cache",
                    async () => {
            await server.stop();
            await page.reload({waitUntil: "load"});
            const state = await waitFor(() => page.evaluate(() => document.body.dataset.vorblState), 20000);
            expect(state === "running", `the page's program is "${state}"`);
            expect(await showsPlumSky(page), "the game drew no sky");
        });
        await check(page, "loading: after a rebuild the next visit gets the new game, and so does " +
                          "the next offline start", async () => {
            fs.appendFileSync(path.join(site, "wingfeast.html"), "<!-- rebuilt -->\n");
            const worker = fs.readFileSync(path.join(site, "service_worker.js"), "utf8");
            const gameFiles = JSON.parse(/const GAME_FILES = (.*);/.exec(worker)[1]);
            execFileSync("python3", [path.join(here, "../../web/finish_pages.py"), site,
                                     path.join(here, "../../web/service_worker.js.in"), "brotli",
                                     "gzip", ...gameFiles]);
            // The same origin as before: the kept worker and caches belong to it.
            server = await serveWithProjectServer(site, new URL(page.url()).port);
            await page.goto(`${server.url}wingfeast.html`, {waitUntil: "load"});
            expect((await page.content()).includes("<!-- rebuilt -->"), "online: the kept page was shown");
            const kept = await waitForGameKept(page, firstBuild);
            expect(kept,
                   `caches after the rebuild: ${JSON.stringify(await workerState(page))}`);
            await server.stop();
            await page.reload({waitUntil: "load"});
            expect((await page.content()).includes("<!-- rebuilt -->"), "offline: the old page was shown");
            expect(await showsPlumSky(page), "offline after the rebuild: the game drew no sky");
            expect(problems.every((p) => /ERR_CONNECTION_REFUSED|Failed to load resource/.test(p)),
                   problems.join("; "));
        });
    } finally {
        await server.stop();
        await context.close();
        fs.rmSync(site, {recursive: true, force: true});
    }
}

// ---- The page as a web game: keys, kept recordings, window sizes, touch --------------------
//
// Each takes the browser's name for the check names and runs in every browser the test drives,
// with the keyboard, mouse and touch screen puppeteer gives for all of them.

// The game's panel (game/instruction_screen.cpp), in client pixels of the 595 x 496 client area
// whose logical (0, 0) is its centre: four buttons 25 high stacked down from logical y -60,
// x -50..75; the settings are written to the right of it.
const kPanelButton = {speedUp: 0, slowDown: 1, addBug: 2, subtractBug: 3};
const panelButtonCentre = (k) => ({x: 297 + 12, y: 248 + 72 + 25 * k});
const kSettingsArea = [380, 300, 560, 400];

// Where client pixel (x, y) of the graphics window is on the page, in CSS pixels.
async function pagePoint(page, x, y) {
    return page.evaluate((cx, cy) => {
        const canvas = document.querySelector('canvas[title="VORBL Graphics"]');
        const box = canvas.getBoundingClientRect();
        const scale = box.width / canvas.width;
        const bar = vorblProbe.graphics().bar;
        return {x: box.left + (cx + 0.5) * scale, y: box.top + (bar + cy + 0.5) * scale};
    }, x, y);
}

async function touchButtonCentre(page, code) {
    return page.evaluate((c) => {
        const box = document.querySelector(`#vorbl-touch button[data-code="${c}"]`)
            .getBoundingClientRect();
        return {x: box.left + box.width / 2, y: box.top + box.height / 2};
    }, code);
}

async function tapTouchKey(page, code) {
    const point = await touchButtonCentre(page, code);
    await page.touchscreen.tap(point.x, point.y);
}

async function waitForInstructions(page, ms = 8000) {
    return waitFor(async () => (await graphics(page)).counts.white > 100000, ms);
}

async function waitForRound(page, ms = 5000) {
    return waitFor(async () => {
        const g = await graphics(page);
        return g.counts.white < 20000 && g.player ? g : null;
    }, ms);
}

// The sum of the butterfly's small moves along `axis` over `samples` samples 100 ms apart
// (a large jump is a wrap round the edge).
async function travel(page, axis, samples = 8) {
    let last = null;
    let sum = 0;
    for (let i = 0; i < samples; ++i) {
        const player = (await graphics(page)).player;
        if (player && last && Math.abs(player[axis] - last[axis]) < 100) {
            sum += player[axis] - last[axis];
        }
        if (player) last = player;
        await sleep(100);
    }
    return sum;
}

const activeElementName = (page) => page.evaluate(() => document.activeElement.tagName);

async function checkKeysReachTheGame(browser, url, name) {
    const {page, problems} = await openProgramPage(browser, url + "wingfeast.html");
    await page.addScriptTag({content: probeSource});
    await page.evaluate(() => {
        window.keyLog = [];
        // After the page's own listeners (on the document): whether the page took the key.
        window.addEventListener("keydown", (e) => keyLog.push(
            {code: e.code, ctrl: e.ctrlKey, prevented: e.defaultPrevented}));
        window.notReloaded = true;
    });
    await waitForInstructions(page);

    await check(page, `${name}: after Download VORBL.SCR is clicked, N starts a round`, async () => {
        await page.click("#vorbl-download");
        await page.keyboard.press("KeyN");
        expect(await waitForRound(page), "no round");
        expect(await activeElementName(page) === "BODY", "the button kept the focus");
    });

    const controls = [
        ["the full-screen button", () => page.click("#vorbl-fullscreen")],
        ["the button that leaves full screen", () => page.click("#vorbl-leave-full")],
        ["the file chooser, focused", () => page.focus("#vorbl-load")],
        ["Download VORBL.SCR", () => page.click("#vorbl-download")],
    ];
    let direction = 1;
    for (const [control, use] of controls) {
        await check(page, `${name}: after ${control}, a digit steers the butterfly`, async () => {
            await use();
            await page.keyboard.press(direction > 0 ? "Digit6" : "Digit4");
            const moved = await travel(page, "x", 12);
            await page.keyboard.press("Digit5");
            expect(direction * moved >= 60, `moved ${moved.toFixed(1)} along x`);
            expect(await activeElementName(page) === "BODY", "a control kept the focus");
        });
        direction = -direction;
    }

    await check(page, `${name}: Ctrl+H/F/A/L/R/P/O with the game in front are taken from the ` +
                      "browser, also with a page button focused", async () => {
        await page.evaluate(() => { keyLog.length = 0; });
        await page.focus("#vorbl-download");
        for (const letter of ["H", "F", "A", "L", "L", "R", "R", "P", "O", "A"]) {
            await ctrl(page, `Key${letter}`);
            await sleep(50);
        }
        const log = await page.evaluate(() => keyLog.filter((k) => k.ctrl && k.code !== "ControlLeft"));
        expect(log.length === 10, `${log.length} Ctrl+letter key-downs seen`);
        const allowed = log.filter((k) => !k.prevented).map((k) => k.code);
        expect(allowed.length === 0, `left to the browser: ${allowed.join(", ")}`);
        expect(await page.evaluate(() => window.notReloaded === true), "the page was reloaded");
        expect(await activeElementName(page) === "BODY", "the button kept the focus");
    });

    await check(page, `${name}: Ctrl+Q is taken from the browser and ends the game`, async () => {
        await ctrl(page, "KeyQ");
        const ended = await waitFor(() => page.evaluate(() => document.body.dataset.vorblExitCode), 5000);
        expect(ended === "0", `exit code ${ended}`);
        const q = await page.evaluate(() => keyLog.find((k) => k.code === "KeyQ"));
        expect(q && q.prevented, "Ctrl+Q left to the browser");
        expect(problems.length === 0, problems.join("; "));
    });
    await page.close();
}

const kScriptLine = /^VORBL_(KBD|PERIODIC|MOUSE)\([-\d, ]+\);$/;

async function keptScript(page) {
    return page.evaluate(() => {
        const text = localStorage.getItem("vorbl-script:wingfeast");
        return text ? JSON.parse(text) : null;
    });
}

async function checkRecordingKept(browser, url, name) {
    const {page, problems} = await openProgramPage(browser, url + "wingfeast.html");
    page.removeAllListeners("dialog");
    const dialogs = [];
    page.on("dialog", async (dialog) => {
        dialogs.push(dialog.type());
        await dialog.accept();
    });
    await page.evaluate(() => localStorage.clear());
    await page.addScriptTag({content: probeSource});
    await waitForInstructions(page);
    await page.keyboard.press("KeyN");
    await waitForRound(page);

    await check(page, `${name}: a reload during a recording asks first, and the page offers the ` +
                      "recording back", async () => {
        await ctrl(page, "KeyR");
        await page.keyboard.down("Digit8");
        await sleep(400);
        await page.keyboard.up("Digit8");
        await page.keyboard.press("Digit5");
        await sleep(700);
        await page.reload({waitUntil: "load"});
        expect(dialogs.includes("beforeunload"), `dialogs: ${JSON.stringify(dialogs)}`);
        await waitFor(() => page.evaluate(() => document.body.dataset.vorblState), 20000);
        const kept = await keptScript(page);
        expect(kept && !kept.downloaded, "nothing kept");
        const lines = kept.bytes.trimEnd().split("\n");
        expect(lines.every((line) => kScriptLine.test(line)), `lines ${JSON.stringify(lines)}`);
        // The last lines were still in the program's buffer when the reload began.
        expect(lines.includes("VORBL_KBD(56);") && lines.includes("VORBL_KBD(53);"),
               `keys 8 and 5 missing in ${JSON.stringify(lines)}`);
        expect(await page.evaluate(() => !document.getElementById("vorbl-kept").hidden),
               "no offer on the page");
    });

    await check(page, `${name}: Play it makes the kept recording VORBL.SCR and plays it to its end`,
                async () => {
        await page.addScriptTag({content: probeSource});
        const kept = await keptScript(page);
        const before = await textRows(page);
        await page.click("#vorbl-kept-play");
        expect((await scriptText(page)) === kept.bytes, "VORBL.SCR is not the kept script");
        const after = await waitFor(async () => {
            const now = await textRows(page);
            return linesAdded(before, now) > 0 ? now : null;
        }, 10000);
        expect(after, "no end-of-file message");
        expect(await activeElementName(page) === "BODY", "the offer's button kept the focus");
    });

    await check(page, `${name}: with nothing new recorded a reload does not ask; Forget it forgets`,
                async () => {
        const asked = dialogs.length;
        await page.reload({waitUntil: "load"});
        await waitFor(() => page.evaluate(() => document.body.dataset.vorblState), 20000);
        expect(dialogs.length === asked, `asked: ${JSON.stringify(dialogs)}`);
        await page.click("#vorbl-kept-forget");
        expect((await keptScript(page)) === null, "still kept");
    });

    await check(page, `${name}: storage that refuses the recording costs one line in the text ` +
                      "window and nothing else", async () => {
        await page.addScriptTag({content: probeSource});
        await page.evaluate(() => {
            Storage.prototype.setItem = () => {
                throw new DOMException("The quota has been exceeded.", "QuotaExceededError");
            };
        });
        await waitForInstructions(page);
        await page.keyboard.press("KeyN");
        await waitForRound(page);
        const before = await textRows(page);
        await ctrl(page, "KeyR");
        await page.keyboard.press("Digit6");
        await sleep(2500);
        await ctrl(page, "KeyR");
        await sleep(300);
        expect(linesAdded(before, await textRows(page)) === 1, "not one line");
        expect((await scriptText(page) || "").includes("VORBL_KBD(54);"), "the recording is gone");
        await page.keyboard.press("Digit4");
        expect(await travel(page, "x") <= -60, "the game does not go on");
        expect(problems.length === 0, problems.join("; "));
    });
    await page.close();
}

// A tap on the header's top left corner: the first touch shows the touch controls in a browser that does
// not say it has a touch screen (Firefox, whose puppeteer driver cannot emulate one, still
// delivers the touches).
async function tapHeader(page) {
    await page.touchscreen.tap(1, 1);
    await sleep(100);
}

const kSizes = [
    {label: "1920 x 1080", viewport: {width: 1920, height: 1080}},
    {label: "1024 x 768", viewport: {width: 1024, height: 768}},
    {label: "a 390 x 844 phone", touch: true,
     viewport: {width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 3}},
];

// The settings' picture changes on a tap or click on Add a Bug and comes back on Subtract a Bug;
// a tap just above the panel changes nothing.
async function checkPanelHits(page, touch) {
    const hit = async (x, y) => {
        const point = await pagePoint(page, x, y);
        if (touch) {
            await page.touchscreen.tap(point.x, point.y);
        } else {
            await page.mouse.click(point.x, point.y);
        }
    };
    const settings = () => page.evaluate((a) => vorblProbe.regionFingerprint(...a), kSettingsArea);
    const start = await settings();
    await hit(panelButtonCentre(0).x, panelButtonCentre(0).y - 16);
    await sleep(400);
    expect((await settings()) === start, "a hit beside the panel changed the settings");
    const add = panelButtonCentre(kPanelButton.addBug);
    await hit(add.x, add.y);
    const added = await waitFor(async () => (await settings()) !== start, 3000);
    expect(added, "Add a Bug changed nothing");
    const subtract = panelButtonCentre(kPanelButton.subtractBug);
    await hit(subtract.x, subtract.y);
    const back = await waitFor(async () => (await settings()) === start, 3000);
    expect(back, "Subtract a Bug did not undo Add a Bug");
}

async function checkWindowSizes(browser, url, name) {
    for (const size of kSizes) {
        const {page, problems} = await openProgramPage(browser, url + "wingfeast.html", size.viewport);
        await page.addScriptTag({content: probeSource});
        await waitForInstructions(page);
        if (size.touch) await tapHeader(page);
        await sleep(200);
        let scale = 0;
        await check(page, `${name}: at ${size.label} both windows fit, scaled together`, async () => {
            const look = await page.evaluate(() => ({
                scale: Number(document.getElementById("vorbl-desktop").dataset.scale),
                graphics: vorblProbe.place("VORBL Graphics"), text: vorblProbe.place("VORBL Text"),
                width: window.innerWidth, height: window.innerHeight,
                rendering: getComputedStyle(vorblProbe.canvasElement("VORBL Graphics")).imageRendering,
                touchShown: !document.getElementById("vorbl-touch").hidden,
            }));
            scale = look.scale;
            console.log(`# ${name}, ${size.label}: scale ${scale.toFixed(3)}, image-rendering ` +
                        `${look.rendering}, touch controls ${look.touchShown ? "shown" : "hidden"}`);
            for (const w of [look.graphics, look.text]) {
                expect(w.pageLeft >= 0 && w.pageTop >= 0 && w.pageRight <= look.width + 0.5 &&
                       w.pageBottom <= look.height + 0.5, `a window out of view: ${JSON.stringify(w)}`);
            }
            for (const w of [look.graphics, look.text]) {
                expect(Math.abs(w.shownWidth - w.width * scale) < 0.5, "the windows' scales differ");
            }
            expect(scale >= 1 ? Number.isInteger(scale) : scale > 0.3, `scale ${scale}`);
            expect((look.rendering === "pixelated") === (scale >= 1) ||
                   (scale >= 1 && look.rendering === "crisp-edges"),
                   `image-rendering ${look.rendering} at scale ${scale}`);
            expect(look.touchShown === !!size.touch, "touch controls shown without touch or hidden with it");
        });
        await check(page, `${name}: at ${size.label} (scale ${scale.toFixed(3)}) a ` +
                          `${size.touch ? "tap" : "click"} on the panel lands on its button`, async () => {
            await checkPanelHits(page, !!size.touch);
        });
        if (size.touch) {
            await check(page, `${name}: turned sideways, the phone's windows follow and still fit`,
                        async () => {
                const {width, height} = size.viewport;
                await page.setViewport({...size.viewport, width: height, height: width});
                const turned = await waitFor(() => page.evaluate((before) => {
                    const now = Number(document.getElementById("vorbl-desktop").dataset.scale);
                    return now !== before ? now : 0;
                }, scale), 3000);
                expect(turned, "the scale stayed");
                await sleep(300);  // the header may wrap anew and move the windows once more
                const look = await page.evaluate(() => ({
                    scale: Number(document.getElementById("vorbl-desktop").dataset.scale),
                    windows: [vorblProbe.place("VORBL Graphics"), vorblProbe.place("VORBL Text")],
                    width: window.innerWidth, height: window.innerHeight,
                    beside: document.getElementById("vorbl-play").classList.contains("vorbl-side-by-side"),
                }));
                console.log(`# ${name}, the phone turned sideways: scale ${look.scale.toFixed(3)}`);
                for (const w of look.windows) {
                    expect(w.pageRight <= look.width + 0.5 && w.pageBottom <= look.height + 0.5,
                           `a window out of view: ${JSON.stringify(w)}`);
                }
                expect(look.beside, "the touch keys are not beside the windows");
            });
        }
        if (!size.touch) {
            await check(page, `${name}: at ${size.label} full screen shows the graphics window ` +
                              "alone, clicks still land", async () => {
                await page.click("#vorbl-fullscreen");
                await sleep(500);
                const look = await page.evaluate(() => ({
                    scale: Number(document.getElementById("vorbl-desktop").dataset.scale),
                    graphics: vorblProbe.place("VORBL Graphics"),
                    textVisible: getComputedStyle(vorblProbe.canvasElement("VORBL Text")).visibility,
                    width: window.innerWidth, height: window.innerHeight,
                }));
                console.log(`# ${name}, ${size.label} full screen: scale ${look.scale.toFixed(3)}`);
                expect(look.textVisible === "hidden", "the text window shows");
                const g = look.graphics;
                const fit = Math.min(look.width / g.width, look.height / g.height);
                expect(look.scale === (fit >= 1 ? Math.floor(fit) : fit), `scale ${look.scale}, fit ${fit}`);
                await checkPanelHits(page, false);
                await page.click("#vorbl-leave-full");
            });
        }
        await check(page, `${name}: at ${size.label} no page errors`, async () => {
            expect(problems.length === 0, problems.join("; "));
        });
        await page.close();
    }
}

async function checkTouchRound(browser, url, name) {
    const phone = kSizes.find((size) => size.touch);
    const {page, problems} = await openProgramPage(browser, url + "wingfeast.html", phone.viewport);
    await page.addScriptTag({content: probeSource});
    await waitForInstructions(page);
    await tapHeader(page);
    await page.evaluate(() => {
        window.touchKeys = [];
        const key = Module.vorblHost.key;
        Module.vorblHost.key = (code, down, character) => {
            touchKeys.push({code, down});
            key(code, down, character);
        };
    });
    await check(page, `${name}: on the phone the touch keys are a numeric keypad and N`, async () => {
        const labels = await page.evaluate(() =>
            Array.from(document.querySelectorAll("#vorbl-touch button"), (b) => b.textContent));
        expect(labels.join(" ") === "7 8 9 4 5 6 1 2 3 N", `keys ${labels.join(" ")}`);
        const seven = await touchButtonCentre(page, "Numpad7");
        const nine = await touchButtonCentre(page, "Numpad9");
        const one = await touchButtonCentre(page, "Numpad1");
        expect(seven.y === nine.y && seven.x < nine.x && one.y > seven.y, "not laid out as a keypad");
    });
    // In a round of the default six bugs, which a butterfly flying one way cannot all catch.
    await check(page, `${name}: N tapped starts a round; a held touch key repeats like a held ` +
                      "key and steers", async () => {
        await tapTouchKey(page, "KeyN");
        expect(await waitForRound(page), "no round");
        await page.evaluate(() => { touchKeys.length = 0; });
        const six = await touchButtonCentre(page, "Numpad6");
        await page.touchscreen.touchStart(six.x, six.y);
        await sleep(900);
        await page.touchscreen.touchEnd();
        const keys = await page.evaluate(() => touchKeys);
        const downs = keys.filter((k) => k.code === "Numpad6" && k.down).length;
        expect(downs >= 5, `${downs} key-downs in 0.9 s`);
        expect(keys.length && !keys[keys.length - 1].down, "no key-up at the end");
        const moved = await travel(page, "x", 12);
        expect(moved >= 60, `the butterfly went ${moved.toFixed(1)} along x, not right`);
    });
    // A new game (the page reloaded) with one bug at the lowest speed, set by taps on the panel.
    await page.reload({waitUntil: "load"});
    await waitFor(() => page.evaluate(() => document.body.dataset.vorblState), 20000);
    await page.addScriptTag({content: probeSource});
    await waitForInstructions(page);
    await tapHeader(page);
    await check(page, `${name}: on the phone, one bug at the lowest speed set by taps, N tapped ` +
                      "starts a round", async () => {
        const subtract = panelButtonCentre(kPanelButton.subtractBug);
        const slow = panelButtonCentre(kPanelButton.slowDown);
        for (const [button, times] of [[subtract, 5], [slow, 4]]) {
            for (let i = 0; i < times; ++i) {
                const point = await pagePoint(page, button.x, button.y);
                await page.touchscreen.tap(point.x, point.y);
                await sleep(120);
            }
        }
        await tapTouchKey(page, "KeyN");
        expect(await waitForRound(page), "no round");
    });
    await check(page, `${name}: the phone's round is played to its end with the touch keys`, async () => {
        // Steer at the last black butterfly until it is caught and the instructions return.
        const digits = {"-1,-1": 7, "0,-1": 8, "1,-1": 9, "-1,0": 4, "0,0": 5, "1,0": 6,
                        "-1,1": 1, "0,1": 2, "1,1": 3};
        const startTime = Date.now();
        let last = "";
        let over = false;
        while (!over && Date.now() - startTime < 45000) {
            const g = await graphics(page);
            if (g.counts.white > 100000) {
                over = true;
                break;
            }
            const target = await page.evaluate(() => vorblProbe.blackCentre());
            if (!g.player || !target) {
                await sleep(50);
                continue;
            }
            const sign = (d) => (Math.abs(d) < 12 ? 0 : Math.sign(d));
            const digit = digits[`${sign(target.x - g.player.x)},${sign(target.y - g.player.y)}`];
            if (String(digit) !== last) {
                await tapTouchKey(page, `Numpad${digit}`);
                last = String(digit);
            }
            await sleep(40);
        }
        console.log(`# ${name}: the phone's round ended after ${((Date.now() - startTime) / 1000).toFixed(1)} s`);
        expect(over, "the round did not end in 45 s");
        expect(problems.length === 0, problems.join("; "));
    });
    await page.close();
}

const server = await serveDirectory(webDir);
// The checks that drive the page only through what puppeteer gives every browser (keyboard,
// mouse, touch screen) run in both browsers; the others reach into Chromium's own protocol
// (keypad keys with NumLock on, other layouts' characters, downloads) and run in it alone.
const kBrowsers = [
    {name: "chromium", launch: launchChromium, chromiumOnly: true},
    {name: "firefox", launch: launchFirefox, chromiumOnly: false},
];
let failed = false;
for (const {name, launch, chromiumOnly} of kBrowsers) {
    let browser = null;
    try {
        browser = await launch();
        console.log(`# ${await browser.version()}, pages from ${webDir}`);
        if (chromiumOnly) {
            await checkInputProbe(browser, server.url);
            await checkGame(browser, server.url);
            await checkExamples(browser, server.url);
            await checkOfflineStart(browser);
        }
        await checkKeysReachTheGame(browser, server.url, name);
        await checkRecordingKept(browser, server.url, name);
        await checkWindowSizes(browser, server.url, name);
        await checkTouchRound(browser, server.url, name);
    } catch (error) {
        failed = true;
        if (!(error instanceof CheckFailed)) console.log(`not ok - ${name}: ${error.stack}`);
    } finally {
        if (browser) await browser.close();
    }
    if (failed) break;
}
server.close();
console.log(failed ? "# browser test FAILED" : `# all ${checkCount} browser checks passed`);
process.exit(failed ? 1 : 0);
