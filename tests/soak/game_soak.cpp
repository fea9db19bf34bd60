// game_soak.cpp: the whole game, game_main from start-up to shutdown, on the headless host for a
// long stretch of virtual time under random input, checking that what it holds stays flat.
//
// Usage: game_soak [--minutes N] [--seed S]   (default 120 virtual minutes, seed from the clock)
//
// Random keys (steering digits, N, other characters), clicks anywhere in the client area (the
// panel included) and Ctrl keys (animate, halt, one frame, logging, record, playback, play one)
// arrive at random virtual times; scripts are recorded and played back in a temporary directory
// of the run's own. Every virtual minute, between two waits, the live platform objects and the
// heap in use (mallinfo2: arena bytes in use plus mapped blocks) are sampled. After a warm-up of
// five virtual minutes, or a third of a shorter run (fonts loaded, caches filled, the text ring
// full once logging has run):
// - pens, brushes, fonts, bitmaps, device contexts, windows, menus and timers never differ from
//   the count at the end of the warm-up;
// - global blocks stay within the text ring's 25 lines of that count;
// - the heap in use in the second half never exceeds the most of the first half by more than
//   kHeapSlackBytes.
// At the end Ctrl+Q quits, game_main returns 0 and every object is given back. The seed is
// printed first, so a failing run can be repeated exactly (the game's own generator is seeded
// from it too). Exit status 0 when every check held. Virtual time costs no waiting: two hours
// run in a few minutes of real time.
//
// Depends on the game (game_main), the package's public header, the headless host and the
// platform's object counts. Linux only (mallinfo2, mkdtemp).
#include <headless_host.h>
#include <malloc.h>
#include <platform_object_counts.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "game_main.h"
#include "lcg_random.h"

namespace {

constexpr unsigned kMinuteMs = 60 * 1000;
constexpr unsigned kMostWarmUpMinutes = 5;
// What the heap in use moves by on its own: a script file's stdio buffer, the lengths of the 25
// stored lines, the ellipse shapes kept. A leak of a few bytes per frame passes it in minutes.
constexpr long long kHeapSlackBytes = 48 * 1024;
constexpr int kTextRingLines = 25;

struct Sample {
    unsigned minute;
    PlatformObjectCounts objects;
    long long heap_bytes;
};

struct InputCounts {
    int keys = 0;
    int clicks = 0;
    int ctrl_keys[26] = {};
};

struct Run {
    InputCounts input;
    unsigned minutes = 120;
    std::uint32_t seed = 0;
    unsigned end_ms = 0;
    std::mt19937 random;
    std::vector<Sample> samples;
    int failures = 0;
};

Run run;

long long heap_in_use() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks) + static_cast<long long>(info.hblkhd);
}

HWND graphics_window() { return FindWindowA("DrawWndClass", "VORBL Graphics"); }

unsigned random_below(unsigned limit) {
    return std::uniform_int_distribution<unsigned>(0, limit - 1)(run.random);
}

// ---- Random input -------------------------------------------------------------------------

void press_ctrl(int letter) {
    headless_host_key(VK_CONTROL, 1);
    headless_host_key(letter, 1);
    headless_host_key(letter, 0);
    headless_host_key(VK_CONTROL, 0);
}

void random_key() {
    static const char kKeys[] = "123456789123456789nNnx q%";
    headless_host_char(static_cast<unsigned char>(kKeys[random_below(sizeof kKeys - 1)]));
    ++run.input.keys;
}

void random_click() {
    HWND window = graphics_window();
    RECT client{};
    if (window == nullptr || !GetClientRect(window, &client)) return;
    if (client.right <= 0 || client.bottom <= 0) return;
    headless_host_click(window, static_cast<int>(random_below(client.right)),
                        static_cast<int>(random_below(client.bottom)));
    ++run.input.clicks;
}

// Animate more often than halt, so the game mostly runs; logging, recording and playback are
// switched now and then. Ctrl+Q is kept for the end.
void random_ctrl_key() {
    static const char kLetters[] = "AAAAAHFLLRRPPO";
    const char letter = kLetters[random_below(sizeof kLetters - 1)];
    press_ctrl(letter);
    ++run.input.ctrl_keys[letter - 'A'];
}

void next_input(void *);

void schedule_next_input() {
    // Mostly a few per second; now and then a pause of up to 20 s, with the animation alone.
    const unsigned gap = random_below(8) == 0 ? 1000 + random_below(19000) : 20 + random_below(600);
    headless_host_after(gap, next_input, nullptr);
}

void next_input(void *) {
    if (headless_host_now_ms() >= run.end_ms) return;
    const unsigned choice = random_below(20);
    if (choice < 11) {
        random_key();
    } else if (choice < 17) {
        random_click();
    } else {
        random_ctrl_key();
    }
    schedule_next_input();
}

// ---- Samples and checks -------------------------------------------------------------------

PlatformObjectCounts live_objects() {
    PlatformObjectCounts counts{};
    platform_object_counts(&counts);
    return counts;
}

void print_sample(const char *label, const Sample &s) {
    const PlatformObjectCounts &c = s.objects;
    std::printf(
        "%-6s minute %4u: pens %d brushes %d fonts %d bitmaps %d memory DCs %d window DCs %d "
        "global blocks %d windows %d menus %d timers %d, heap in use %lld bytes\n",
        label, s.minute, c.pens, c.brushes, c.fonts, c.bitmaps, c.memory_dcs, c.window_dcs,
        c.global_blocks, c.windows, c.menus, c.timers, s.heap_bytes);
}

void check(bool holds, const char *what, unsigned minute) {
    if (holds) return;
    ++run.failures;
    std::printf("FAILED at minute %u: %s\n", minute, what);
}

// The objects that must not move at all after the warm-up.
void check_objects_flat(const PlatformObjectCounts &base, const Sample &s) {
    const PlatformObjectCounts &c = s.objects;
    check(c.pens == base.pens && c.brushes == base.brushes && c.fonts == base.fonts,
          "pens, brushes or fonts changed", s.minute);
    check(c.bitmaps == base.bitmaps && c.memory_dcs == base.memory_dcs &&
              c.window_dcs == base.window_dcs,
          "bitmaps or device contexts changed", s.minute);
    check(c.windows == base.windows && c.menus == base.menus && c.timers == base.timers,
          "windows, menus or timers changed", s.minute);
    check(c.global_blocks <= base.global_blocks + kTextRingLines,
          "global blocks beyond the text ring's lines", s.minute);
}

void take_sample(void *) {
    const unsigned now = headless_host_now_ms();
    run.samples.push_back({now / kMinuteMs, live_objects(), heap_in_use()});
    if (now + kMinuteMs < run.end_ms) headless_host_after(kMinuteMs, take_sample, nullptr);
}

// The heap in use every ten minutes, to see a slow drift that the halves would hide.
void print_heap_trend() {
    std::printf("heap in use every ten minutes (KiB):");
    for (std::size_t i = 0; i < run.samples.size(); i += 10) {
        std::printf(" %lld", run.samples[i].heap_bytes / 1024);
    }
    std::printf("\n");
}

long long most_heap(std::size_t first, std::size_t end) {
    long long most = 0;
    for (std::size_t i = first; i < end; ++i) most = std::max(most, run.samples[i].heap_bytes);
    return most;
}

// The sample that ends the warm-up.
std::size_t warm_sample() {
    const std::size_t minutes = std::min<std::size_t>(kMostWarmUpMinutes, run.minutes / 3);
    return std::min(minutes, run.samples.size() - 1);
}

void check_samples() {
    const std::size_t warm = warm_sample();
    const Sample &base = run.samples[warm];
    for (std::size_t i = warm; i < run.samples.size(); ++i) {
        check_objects_flat(base.objects, run.samples[i]);
    }
    const std::size_t middle = warm + (run.samples.size() - warm) / 2;
    const long long first_half = most_heap(warm, middle);
    const long long second_half = most_heap(middle, run.samples.size());
    std::printf("heap in use: most %lld bytes in the first half, %lld in the second\n", first_half,
                second_half);
    check(second_half <= first_half + kHeapSlackBytes, "the heap grew in the second half",
          run.samples.back().minute);
}

// ---- The run --------------------------------------------------------------------------------

bool parse_arguments(int argc, char **argv) {
    run.seed = static_cast<std::uint32_t>(std::time(nullptr));
    for (int i = 1; i < argc; ++i) {
        const bool has_value = i + 1 < argc;
        if (std::strcmp(argv[i], "--minutes") == 0 && has_value) {
            run.minutes = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else if (std::strcmp(argv[i], "--seed") == 0 && has_value) {
            run.seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else {
            std::fprintf(stderr, "usage: %s [--minutes N] [--seed S]\n", argv[0]);
            return false;
        }
    }
    return run.minutes >= 3;
}

void print_input() {
    const int *ctrl = run.input.ctrl_keys;
    std::printf(
        "input: %d keys, %d clicks, Ctrl+A %d, Ctrl+H %d, Ctrl+F %d, Ctrl+L %d, Ctrl+R %d, "
        "Ctrl+P %d, Ctrl+O %d\n",
        run.input.keys, run.input.clicks, ctrl['A' - 'A'], ctrl['H' - 'A'], ctrl['F' - 'A'],
        ctrl['L' - 'A'], ctrl['R' - 'A'], ctrl['P' - 'A'], ctrl['O' - 'A']);
    std::error_code missing;
    const auto script_bytes = std::filesystem::file_size("VORBL.SCR", missing);
    std::printf("script file at the end: %lld bytes\n",
                missing ? -1LL : static_cast<long long>(script_bytes));
}

void seed_the_game(void *) { lcg_seed(run.seed); }

void quit_the_game(void *) { press_ctrl('Q'); }

}  // namespace

int main(int argc, char **argv) {
    if (!parse_arguments(argc, argv)) return 2;
    std::printf("game soak: %u virtual minutes, seed %u\n", run.minutes, run.seed);
    std::fflush(stdout);
    run.random.seed(run.seed);
    run.end_ms = run.minutes * kMinuteMs;
    // Reserved now, so the samples' own growth never shows in the heap they measure.
    run.samples.reserve(run.minutes + 2);

    char pattern[] = "/tmp/vorbl-soak-XXXXXX";
    if (mkdtemp(pattern) == nullptr) return 2;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(pattern);

    headless_host_use();
    const PlatformObjectCounts at_load = live_objects();
    headless_host_after(1, seed_the_game, nullptr);
    headless_host_after(2, take_sample, nullptr);
    headless_host_after(10, next_input, nullptr);
    headless_host_after(run.end_ms, quit_the_game, nullptr);
    const auto started = std::chrono::steady_clock::now();
    static char no_arguments[] = "";
    const int result = game_main(nullptr, nullptr, no_arguments, 1);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    const Sample end{headless_host_now_ms() / kMinuteMs, live_objects(), heap_in_use()};
    print_sample("start", run.samples.front());
    print_sample("warm", run.samples[warm_sample()]);
    print_sample("middle", run.samples[run.samples.size() / 2]);
    print_sample("last", run.samples.back());
    print_sample("after", end);
    print_heap_trend();
    check(result == 0, "game_main did not return 0", end.minute);
    check(run.samples.size() + 1 >= run.minutes, "the game ended before its time", end.minute);
    check_samples();
    const PlatformObjectCounts &after = end.objects;
    check(after.pens == at_load.pens && after.brushes == at_load.brushes &&
              after.fonts == at_load.fonts && after.bitmaps == at_load.bitmaps &&
              after.memory_dcs == at_load.memory_dcs && after.window_dcs == at_load.window_dcs &&
              after.global_blocks == at_load.global_blocks && after.windows == at_load.windows &&
              after.menus == at_load.menus && after.timers == at_load.timers,
          "something was not given back after shutdown", end.minute);
    std::printf("%u virtual minutes in %.1f s of real time, %zu samples\n", run.minutes, seconds,
                run.samples.size());
    print_input();

    std::filesystem::current_path(previous);
    std::filesystem::remove_all(pattern);
    std::printf("%s\n", run.failures == 0 ? "game soak passed" : "game soak FAILED");
    return run.failures == 0 ? 0 : 1;
}
