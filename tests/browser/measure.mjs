// measure.mjs: the figures of the browser build, printed, never asserted: the game's frame in
// the browser against the same frame natively, and the processor time of the game's page while
// it runs and while it is halted.
//
//   node tests/browser/measure.mjs [--web DIR] [--native PROGRAM] [--seconds N]
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

import {launchChromium, openProgramPage, serveDirectory, sleep, waitFor} from "./page_support.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
const options = {web: path.join(here, "../../build/browser/web"), native: "", seconds: 10};
for (let i = 2; i < process.argv.length; i += 2) {
    options[process.argv[i].replace(/^--/, "")] = process.argv[i + 1];
}
const seconds = Number(options.seconds);

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

const server = await serveDirectory(options.web);
const browser = await launchChromium();
console.log(`# ${await browser.version()}`);
try {
    const rows = [];
    for (const mode of ["scene", "shown"]) {
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
} finally {
    await browser.close();
    server.close();
}
