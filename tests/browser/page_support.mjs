// page_support.mjs: what the browser test and the measurements share: a static file server for
// the browser build's pages, Debian's chromium started through puppeteer-core (which downloads
// no browser of its own), and small helpers to wait and to read a page.
//
// Environment: VORBL_CHROMIUM names the browser (default /usr/bin/chromium), VORBL_FIREFOX the
// second one (default /usr/bin/firefox-esr, Debian's Firefox ESR, driven over WebDriver BiDi).
// Chromium runs headless, without its sandbox when run as root (CI runs as root); so does
// Firefox.
import {spawn} from "node:child_process";
import http from "node:http";
import fs from "node:fs";
import path from "node:path";
import {fileURLToPath} from "node:url";
import puppeteer from "puppeteer-core";

const kTypes = {
    ".html": "text/html; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".mjs": "text/javascript; charset=utf-8",
    ".css": "text/css; charset=utf-8",
    ".wasm": "application/wasm",
    ".data": "application/octet-stream",
};

// Serves the files below `root` on 127.0.0.1 at a free port; resolves to {url, close}.
export function serveDirectory(root) {
    const base = path.resolve(root);
    const server = http.createServer((request, response) => {
        const wanted = decodeURIComponent(new URL(request.url, "http://local").pathname);
        const file = path.resolve(base, "." + (wanted.endsWith("/") ? wanted + "index.html" : wanted));
        if (file !== base && !file.startsWith(base + path.sep)) {
            response.writeHead(403).end();
            return;
        }
        fs.readFile(file, (error, bytes) => {
            if (error) {
                response.writeHead(404).end();
                return;
            }
            const type = kTypes[path.extname(file)] || "application/octet-stream";
            response.writeHead(200, {"Content-Type": type, "Cache-Control": "no-store"});
            response.end(bytes);
        });
    });
    return new Promise((resolve) => {
        server.listen(0, "127.0.0.1", () => {
            const {port} = server.address();
            resolve({url: `http://127.0.0.1:${port}/`, close: () => server.close()});
        });
    });
}

const serveScript = path.join(path.dirname(fileURLToPath(import.meta.url)),
                              "../../scripts/serve-web.py");

// The project's own server (scripts/serve-web.py, the README's: compressed files, cache headers)
// on `port` (default: a free one); resolves to {url, stop}, where stop() ends it and resolves
// once it has ended (at once when it has).
export function serveWithProjectServer(root, port = 0) {
    const child = spawn("python3", [serveScript, "--port", String(port), root],
                        {stdio: ["ignore", "pipe", "inherit"],
                         env: {...process.env, VORBL_SERVE_QUIET: "1"}});
    const ended = new Promise((resolve) => child.once("exit", resolve));
    return new Promise((resolve, reject) => {
        let text = "";
        child.stdout.on("data", (chunk) => {
            text += chunk;
            const address = /at (http:\/\/[^\s]+)/.exec(text);
            if (address) {
                resolve({url: address[1], stop: () => {
                    if (child.exitCode === null && child.signalCode === null) child.kill();
                    return ended;
                }});
            }
        });
        child.once("exit", (code) => reject(new Error(`serve-web.py ended (${code}): ${text}`)));
    });
}

// Put into a page before its scripts run (evaluateOnNewDocument): notes in window.vorblFirstFrame
// when a canvas first receives a picture ("any", ms since the navigation started) and when it
// first receives one showing the game's plum sky ("scene").
export const firstFrameProbe = `(() => {
    window.vorblFirstFrame = {any: 0, scene: 0};
    const put = CanvasRenderingContext2D.prototype.putImageData;
    CanvasRenderingContext2D.prototype.putImageData = function(image, ...rest) {
        const result = put.call(this, image, ...rest);
        const seen = window.vorblFirstFrame;
        if (!seen.any) seen.any = performance.now();
        if (!seen.scene) {
            const d = image.data;
            for (let at = 0; at < d.length; at += 4 * 97) {
                if (d[at] === 153 && d[at + 1] === 102 && d[at + 2] === 153) {
                    seen.scene = performance.now();
                    break;
                }
            }
        }
        return result;
    };
})();`;

export async function launchChromium() {
    const executablePath = process.env.VORBL_CHROMIUM || "/usr/bin/chromium";
    if (!fs.existsSync(executablePath)) {
        throw new Error(`${executablePath} is missing: install Debian's chromium (apt-get install chromium)`);
    }
    const args = ["--no-first-run", "--no-default-browser-check", "--window-size=1024,900"];
    if (process.getuid && process.getuid() === 0) args.push("--no-sandbox");
    return puppeteer.launch({executablePath, headless: true, args});
}

export async function launchFirefox() {
    const executablePath = process.env.VORBL_FIREFOX || "/usr/bin/firefox-esr";
    if (!fs.existsSync(executablePath)) {
        throw new Error(`${executablePath} is missing: install Debian's firefox-esr (apt-get install firefox-esr)`);
    }
    return puppeteer.launch({browser: "firefox", executablePath, headless: true,
                             args: ["--width=1024", "--height=900"]});
}

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Polls `probe` until it returns a true value or `ms` passed; returns its last value.
export async function waitFor(probe, ms, every = 50) {
    const end = Date.now() + ms;
    for (;;) {
        const value = await probe();
        if (value || Date.now() >= end) return value;
        await sleep(every);
    }
}

// Opens `url` in a new page whose program has started, collecting page errors, console errors
// and dialogs in `problems`, and the program's printed lines in `printed`; `viewport` as
// puppeteer's page.setViewport takes it. `browser` may also be a browser context (with its own
// cache, storage and service workers).
export async function openProgramPage(browser, url, viewport = {width: 1024, height: 900}) {
    const page = await browser.newPage();
    await page.setViewport(viewport);
    const problems = [];
    const printed = [];
    page.on("pageerror", (error) => problems.push(`page error: ${error.message}`));
    page.on("console", (message) => {
        if (message.type() === "error") problems.push(`console error: ${message.text()}`);
        if (message.type() === "log") printed.push(message.text());
    });
    page.on("dialog", async (dialog) => {
        problems.push(`dialog: ${dialog.message()}`);
        await dialog.dismiss();
    });
    await page.goto(url, {waitUntil: "load"});
    const started = await waitFor(
        () => page.evaluate(() => document.body.dataset.vorblState || ""), 20000);
    if (!started) throw new Error(`${url}: the program did not start within 20 s`);
    return {page, problems, printed};
}
