// measure.mjs: the figures of the browser build, printed, never asserted: how fast the game's
// page loads, the game's frame in the browser against the same frame natively, and the
// processor time of the game's page while it runs and while it is halted.
//
//   node tests/browser/measure.mjs [--web DIR] [--native PROGRAM] [--seconds N]
//                                  [--parts load,frames,cpu] [--runs N]
//
// Loading (served by scripts/serve-web.py, as the README serves the pages): wingfeast.html
// opened --runs times (default 3) in a new browser profile each, the browser's cache off, over a
// network emulated by Chromium (20 Mbit/s both ways, 40 ms latency): the bytes on the wire (all
// responses with their headers, as Chromium counts them) and the first drawn frame (ms from the
// start of the navigation until a canvas first shows the game's sky); then the same page opened
// again in each profile, from its caches (the HTTP cache and the service worker's), over the same
// emulated network and over the local one (after one more visit with the cache on: the first
// visit, with the cache off, filled only the service worker's).
//
// Frames: checks/game_frame_timing.html runs bench/game_frame_timing.cpp compiled for the
// browser ("scene": the frame drawn on the canvas; "shown": drawn and put on the page's canvas);
// --native runs the same program built natively (build/release/bench/game_frame_timing; its
// "shown" under xvfb-run, on the SDL2 host). Processor time: wingfeast.html for N seconds
// (default 10) animating on the instruction screen, in a round, and halted; for each, the
// renderer's main-thread task time from the DevTools protocol (Performance.getMetrics) and the
// processor time of all of chromium's processes (/proc), as a share of one core, and the
// program's wakes per second.
import {execFileSync, spawnSync} from "node:child_process";
import fs from "node:fs";
import path from "node:path";
import {fileURLToPath} from "node:url";

import {firstFrameProbe, launchChromium, openProgramPage, serveDirectory, serveWithProjectServer,
        sleep, waitFor} from "./page_support.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
const options = {web: path.join(here, "../../build/browser/web"), native: "", seconds: 10,
                 parts: "load,frames,cpu", runs: 3};
for (let i = 2; i < process.argv.length; i += 2) {
    options[process.argv[i].replace(/^--/, "")] = process.argv[i + 1];
}
const seconds = Number(options.seconds);
const parts = new Set(options.parts.split(","));

const frameLine = /^(scene|shown) (\d+) butterflies: ([\d.]+) us per frame \(median ([\d.]+)/;

function parseFrames(lines) {
    return lines.map((line) => frameLine.exec(line)).filter(Boolean).map((m) => ({
        mode: m[1], butterflies: Number(m[2]), us: Number(m[3]), median: Number(m[4])}));
}

async function browserFrames(browser, url, mode) {
    const {page, printed, problems} =
        await openProgramPage(browser, `${url}checks/game_frame_timing.html?args=${mode},2`);
    await waitFor(() => parseFrames(printed).length >= 2, 60000, 200);
    await page.close();
    if (problems.length) throw new Error(problems.join("; "));
    return parseFrames(printed);
}

function nativeFrames(program, mode) {
    const args = mode === "shown" ? ["-a", program, mode, "2"] : [mode, "2"];
    const run = spawnSync(mode === "shown" ? "xvfb-run" : program, args, {encoding: "utf8"});
    if (run.status !== 0) throw new Error(`${program} ${mode}: ${run.stderr}`);
    return parseFrames(run.stdout.split("\n"));
}

// Processor seconds (user + system) of a process and all of its descendants.
function treeCpuSeconds(rootPid) {
    const tick = Number(execFileSync("getconf", ["CLK_TCK"], {encoding: "utf8"}));
    const stats = [];
    for (const entry of fs.readdirSync("/proc")) {
        if (!/^\d+$/.test(entry)) continue;
        try {
            const text = fs.readFileSync(`/proc/${entry}/stat`, "utf8");
            const fields = text.slice(text.lastIndexOf(")") + 2).split(" ");
            stats.push({pid: Number(entry), ppid: Number(fields[1]),
                        ticks: Number(fields[11]) + Number(fields[12])});
        } catch (error) {
            // the process ended meanwhile
        }
    }
    const inTree = new Set([rootPid]);
    for (let grew = true; grew;) {
        grew = false;
        for (const s of stats) {
            if (!inTree.has(s.pid) && inTree.has(s.ppid)) {
                inTree.add(s.pid);
                grew = true;
            }
        }
    }
    return stats.filter((s) => inTree.has(s.pid)).reduce((sum, s) => sum + s.ticks, 0) / tick;
}

async function pageCpu(browser, page, session, label) {
    const taskSeconds = async () => {
        const {metrics} = await session.send("Performance.getMetrics");
        return metrics.find((m) => m.name === "TaskDuration").value;
    };
    const wakes = () => page.evaluate(() => (window.Module ? Module.vorblHost.wakes : window.ticks));
    const pid = browser.process().pid;
    const start = {task: await taskSeconds(), all: treeCpuSeconds(pid), wakes: await wakes(),
                   at: Date.now()};
    await sleep(seconds * 1000);
    const wall = (Date.now() - start.at) / 1000;
    const task = (await taskSeconds()) - start.task;
    const all = treeCpuSeconds(pid) - start.all;
    const wakeRate = ((await wakes()) - start.wakes) / wall;
    console.log(`${label}: page main thread ${(100 * task / wall).toFixed(2)} % of a core, ` +
                `all chromium processes ${(100 * all / wall).toFixed(2)} %, ` +
                `${wakeRate.toFixed(1)} wakes/s (${wall.toFixed(1)} s)`);
    return {task, all, wall};
}

async function ctrl(page, code) {
    await page.keyboard.down("Control");
    await page.keyboard.press(code);
    await page.keyboard.up("Control");
}

// ---- Loading ----------------------------------------------------------------------------------

const kNetwork = {offline: false, latency: 40, downloadThroughput: 20e6 / 8,
                  uploadThroughput: 20e6 / 8};
const kLocal = {offline: false, latency: 0, downloadThroughput: -1, uploadThroughput: -1};

// Opens `url` in `page` with the given network and cache; resolves to the bytes on the wire and
// the first drawn frames (ms since the navigation started).
async function timedVisit(page, url, network, cacheOff) {
    const session = await page.createCDPSession();
    await session.send("Network.enable");
    await session.send("Network.setCacheDisabled", {cacheDisabled: cacheOff});
    await session.send("Network.emulateNetworkConditions", network);
    const sizes = new Map();
    session.on("Network.responseReceived", ({requestId, response}) => {
        sizes.set(requestId, {url: response.url, bytes: 0, fromWorker: response.fromServiceWorker});
    });
    session.on("Network.loadingFinished", ({requestId, encodedDataLength}) => {
        if (sizes.has(requestId)) sizes.get(requestId).bytes = encodedDataLength;
    });
    await page.goto(url, {waitUntil: "load"});
    const frame = await waitFor(() => page.evaluate(() => window.vorblFirstFrame.scene &&
                                                          window.vorblFirstFrame), 30000, 20);
    if (!frame) throw new Error(`${url}: no frame with the sky within 30 s`);
    await sleep(500);  // any request still under way
    await session.detach();
    const requests = [...sizes.values()];
    return {frame, requests, bytes: requests.reduce((sum, r) => sum + r.bytes, 0)};
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function loadFigures(browser) {
    const server = await serveWithProjectServer(options.web);
    const url = `${server.url}wingfeast.html`;
    const rows = {cold: [], cachedNetwork: [], cachedLocal: []};
    try {
        for (let run = 0; run < Number(options.runs); ++run) {
            const context = await browser.createBrowserContext();
            const page = await context.newPage();
            await page.setViewport({width: 1024, height: 900});
            await page.evaluateOnNewDocument(firstFrameProbe);
            const cold = await timedVisit(page, url, kNetwork, true);
            if (run === 0) {
                for (const r of cold.requests) {
                    console.log(`  cold: ${String(r.bytes).padStart(8)} B  ${new URL(r.url).pathname}`);
                }
            }
            rows.cold.push(cold);
            // Let the service worker keep the files before the next visit.
            await waitFor(() => page.evaluate(async () => Boolean(navigator.serviceWorker.controller) &&
                                                          (await caches.keys()).length > 0), 20000, 200);
            // One visit with the cache on fills the HTTP cache, which the first one (cache off)
            // left empty, as a visitor's first visit would have filled it.
            await timedVisit(page, url, kLocal, false);
            rows.cachedNetwork.push(await timedVisit(page, url, kNetwork, false));
            rows.cachedLocal.push(await timedVisit(page, url, kLocal, false));
            await context.close();
        }
    } finally {
        await server.stop();
    }
    const describe = (label, list) => {
        const frames = list.map((v) => v.frame.scene);
        console.log(`${label}: ${median(list.map((v) => v.bytes))} B on the wire; first drawn frame ` +
                    `${frames.map((f) => f.toFixed(0)).join(", ")} ms (median ${median(frames).toFixed(0)} ms; ` +
                    `first canvas picture ${median(list.map((v) => v.frame.any)).toFixed(0)} ms)`);
    };
    describe("wingfeast.html, cold cache, 20 Mbit/s, 40 ms", rows.cold);
    describe("wingfeast.html, from the caches, 20 Mbit/s, 40 ms", rows.cachedNetwork);
    describe("wingfeast.html, from the caches, local network", rows.cachedLocal);
}

// Processor time: an idle page with a timer, then the game animating, in a round and halted.
async function cpuFigures(browser, server) {
    // The floor: a page that does nothing but run an empty 50 ms timer, as the halted game's
    // timer runs.
    const idle = await browser.newPage();
    await idle.goto(`${server.url}index.html`);
    await idle.evaluate(() => {
        window.ticks = 0;
        setInterval(() => ++window.ticks, 50);
    });
    const idleSession = await idle.createCDPSession();
    await idleSession.send("Performance.enable");
    await pageCpu(browser, idle, idleSession, "a page with an empty 50 ms timer");
    await idle.close();

    const {page} = await openProgramPage(browser, `${server.url}wingfeast.html`);
    const session = await page.createCDPSession();
    await session.send("Performance.enable");
    await sleep(1000);
    await pageCpu(browser, page, session, "instruction screen, animating");
    await page.keyboard.press("KeyN");
    await sleep(500);
    const round = await pageCpu(browser, page, session, "round, animating");
    console.log(`round: ${(1000 * round.task / (round.wall * 10)).toFixed(2)} ms of main-thread ` +
                `time per game frame (10 frames a second)`);
    await ctrl(page, "KeyH");
    await sleep(500);
    await pageCpu(browser, page, session, "round, halted");
}

const server = await serveDirectory(options.web);
const browser = await launchChromium();
console.log(`# ${await browser.version()}`);
try {
    if (parts.has("load")) await loadFigures(browser);
    const rows = [];
    for (const mode of parts.has("frames") ? ["scene", "shown"] : []) {
        for (const f of await browserFrames(browser, server.url, mode)) rows.push({...f, where: "browser"});
        if (options.native) {
            for (const f of nativeFrames(options.native, mode)) rows.push({...f, where: "native"});
        }
    }
    for (const row of rows) {
        const native = rows.find((r) => r.where === "native" && r.mode === row.mode &&
                                        r.butterflies === row.butterflies);
        const ratio = native && row.where === "browser"
                          ? `; ${(row.us / native.us).toFixed(2)} x native (medians ` +
                                `${(row.median / native.median).toFixed(2)} x)`
                          : "";
        console.log(`frame ${row.mode} ${row.butterflies} butterflies, ${row.where}: ` +
                    `${row.us.toFixed(1)} us, median ${row.median.toFixed(1)} us${ratio}`);
    }

    if (parts.has("cpu")) await cpuFigures(browser, server);
} finally {
    await browser.close();
    server.close();
}
