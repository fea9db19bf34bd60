// wingfeast_screenshot.cpp: pictures of the game, drawn on the headless host, written as PNG.
//
//   wingfeast_screenshot [OUTPUT.png]
//       the game's first picture: the instruction screen over the night scene, with the start-up
//       settings (default OUTPUT: wingfeast.png);
//   wingfeast_screenshot --script FILE [--seed N] OUTPUT.png
//       the game after it has played FILE, a script in the VORBL.SCR format, from its start:
//       the picture a player sees when the playback ends. The random generator is seeded with N
//       (default 1) instead of the time, so the same script always gives the same picture;
//   wingfeast_screenshot --icon SIZE OUTPUT.png
//       the game's icon, SIZE x SIZE pixels (1 to 256): the player's butterfly and a crescent
//       moon on a tile of the night sky;
//   wingfeast_screenshot --ico OUTPUT.ico
//       that icon at 16, 32, 48, 64, 128 and 256 pixels in one Windows icon file, for the
//       resources of the Windows build's executable.
//
// Every picture is drawn by the package's own drawing calls and the game's own routines, and
// only the part of the canvas a player can see is written. A script is played from a temporary
// directory of its own (the package reads VORBL.SCR in the working directory), removed again
// afterwards. Depends on the game library, the package's internal header (the canvas and the
// playback flags), the headless host and libpng (png_image). Exit code 0 on success, 1 when a
// file cannot be read or written or the script does not end, 2 for a wrong command line.
#include <headless_host.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "canvas_image.h"
#include "game_icon.h"
#include "game_main.h"
#include "ico_file.h"
#include "instruction_screen.h"
#include "lcg_random.h"
#include "png_image.h"
#include "vorbl_internal.h"

namespace fs = std::filesystem;
using vorbl_tools::RgbImage;

namespace {

constexpr int MAX_ICON_SIZE = 256;
constexpr unsigned WATCH_PERIOD_MS = 50;              // how often the playback's end is looked for
constexpr unsigned PLAYBACK_LIMIT_MS = 3600u * 1000;  // an hour of play (virtual time)

struct Options {
    enum Mode { FIRST_PICTURE, AFTER_SCRIPT, ICON, ICO_FILE } mode = FIRST_PICTURE;
    std::string output = "wingfeast.png";
    std::string script;
    std::uint32_t seed = 1;
    int icon_size = 0;
    bool help = false;  // only say how to call the tool
};

constexpr const char *USAGE =
    "usage: wingfeast_screenshot [OUTPUT.png]\n"
    "       wingfeast_screenshot --script FILE [--seed N] OUTPUT.png\n"
    "       wingfeast_screenshot --icon SIZE OUTPUT.png\n"
    "       wingfeast_screenshot --ico OUTPUT.ico\n";

int usage(const char *problem) {
    std::fprintf(stderr, "wingfeast_screenshot: %s\n%s", problem, USAGE);
    return 2;
}

// A whole decimal number from `low` to `high`, or -1.
long long number_in(std::string_view text, long long low, long long high) {
    if (text.empty() || text.size() > 10) return -1;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value >= low && value <= high ? value : -1;
}

// Parses the command line into `options`; returns an empty string or what is wrong.
std::string parse(int argc, char **argv, Options *options) {
    bool output_given = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--help" || arg == "-h") {
            // Asked for help: say how to call the tool and draw nothing.
            options->help = true;
            return "";
        }
        if (arg == "--script" && has_value) {
            options->mode = Options::AFTER_SCRIPT;
            options->script = argv[++i];
        } else if (arg == "--seed" && has_value) {
            const long long seed = number_in(argv[++i], 0, 4294967295LL);
            if (seed < 0) return "--seed takes a number from 0 to 4294967295";
            options->seed = static_cast<std::uint32_t>(seed);
        } else if (arg == "--icon" && has_value) {
            options->mode = Options::ICON;
            options->icon_size = static_cast<int>(number_in(argv[++i], 1, MAX_ICON_SIZE));
            if (options->icon_size < 0) return "--icon takes a size from 1 to 256";
        } else if (arg == "--ico" && has_value && !output_given) {
            options->mode = Options::ICO_FILE;
            options->output = argv[++i];
            output_given = true;
        } else if (!arg.empty() && arg[0] != '-' && !output_given) {
            options->output = argv[i];
            output_given = true;
        } else {
            return "unexpected argument '" + std::string(arg) + "'";
        }
    }
    if ((options->mode == Options::ICON || options->mode == Options::ICO_FILE) &&
        !options->script.empty()) {
        return "--icon and --ico cannot be combined with --script";
    }
    return "";
}

// The package started as the game starts it: no drawing log, a white canvas, animation on.
void start_package_like_the_game(void) {
    headless_host_use();
    static char no_arguments[] = "";
    VORBL_startup(GetModuleHandleA(nullptr), nullptr, no_arguments, SW_SHOWNORMAL);
    VORBL_set_logging(0);
    VORBL_clear_canvas();
    VORBL_set_animation(ANIMATE_RUN);
}

// ---- The first picture ---------------------------------------------------------------------

RgbImage first_picture(void) {
    start_package_like_the_game();
    const GameState state = startup_state();
    draw_start_screen(state);
    draw_instructions(state.enemy_last, state.enemy_speed);
    draw_panel();
    RgbImage picture = vorbl_tools::visible_canvas();
    VORBL_shutdown();
    return picture;
}

// ---- The picture after a script --------------------------------------------------------------

struct PlaybackWatch {
    RgbImage picture;
    bool timed_out = false;
};

// Runs inside the game's waits: once playback has ended, the canvas holds what the game drew
// for the script's last event; take it and close the window, which ends the game.
void watch_playback(void *argument) {
    auto *watch = static_cast<PlaybackWatch *>(argument);
    const bool playing = vorbl::script_playback || vorbl::script_play_one;
    if (playing && headless_host_now_ms() < PLAYBACK_LIMIT_MS) {
        headless_host_after(WATCH_PERIOD_MS, watch_playback, watch);
        return;
    }
    watch->timed_out = playing;
    watch->picture = vorbl_tools::visible_canvas();
    headless_host_close(vorbl::graphics_hwnd);
}

// What game_main does, with a fixed seed, and the Run menu's "Playback Script" chosen at once.
PlaybackWatch play_script_in_game(std::uint32_t seed) {
    lcg_seed(seed);
    start_package_like_the_game();
    GameState state = startup_state();
    draw_start_screen(state);
    PostMessageA(vorbl::graphics_hwnd, WM_COMMAND, CMD_PLAYBACK, 0);
    PlaybackWatch watch;
    headless_host_after(WATCH_PERIOD_MS, watch_playback, &watch);
    run_main_loop(state);
    VORBL_shutdown();
    return watch;
}

// A fresh directory for the script, so the game's VORBL.SCR is this script and nothing else.
bool make_script_directory(fs::path *directory) {
    std::string pattern = (fs::temp_directory_path() / "wingfeast_screenshot.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return false;
    *directory = pattern;
    return true;
}

bool picture_after_script(const Options &options, RgbImage *picture) {
    std::error_code error;
    const fs::path script = fs::absolute(options.script, error);
    if (error || !fs::is_regular_file(script, error)) {
        std::fprintf(stderr, "wingfeast_screenshot: no script file %s\n", options.script.c_str());
        return false;
    }
    fs::path directory;
    if (!make_script_directory(&directory) ||
        !fs::copy_file(script, directory / "VORBL.SCR", error)) {
        std::fprintf(stderr, "wingfeast_screenshot: cannot copy %s to a temporary directory\n",
                     options.script.c_str());
        if (!directory.empty()) fs::remove_all(directory, error);
        return false;
    }
    const fs::path previous = fs::current_path(error);
    fs::current_path(directory, error);
    if (error) {
        std::fprintf(stderr, "wingfeast_screenshot: cannot work in %s\n", directory.c_str());
        fs::remove_all(directory, error);
        return false;
    }
    PlaybackWatch watch = play_script_in_game(options.seed);
    fs::current_path(previous, error);
    fs::remove_all(directory, error);
    if (watch.timed_out) {
        std::fprintf(stderr, "wingfeast_screenshot: %s still played after an hour of game time\n",
                     options.script.c_str());
        return false;
    }
    *picture = std::move(watch.picture);
    return true;
}

// ---- The icon ------------------------------------------------------------------------------

RgbImage icon_picture(int size) {
    start_package_like_the_game();
    draw_game_icon(size);
    // The tile's top-left pixel is logical (-size/2, size/2).
    RgbImage picture = vorbl_tools::canvas_block(vorbl::origin_x - size / 2,
                                                 vorbl::origin_y - size / 2, size, size);
    VORBL_shutdown();
    return picture;
}

// The icon at the sizes Windows shows (lists, desktop, the taskbar, large tiles) in one file.
bool write_icon_file(const std::string &output) {
    std::vector<RgbImage> pictures;
    for (int size : {16, 32, 48, 64, 128, MAX_ICON_SIZE}) pictures.push_back(icon_picture(size));
    std::string error;
    if (vorbl_tools::write_ico(output, pictures, &error)) return true;
    std::fprintf(stderr, "wingfeast_screenshot: %s\n", error.c_str());
    return false;
}

}  // namespace

int main(int argc, char **argv) {
    Options options;
    const std::string problem = parse(argc, argv, &options);
    if (!problem.empty()) return usage(problem.c_str());
    if (options.help) {
        std::fputs(USAGE, stdout);
        return 0;
    }
    // Relative to where the tool was started, also when a script is played elsewhere.
    std::error_code error_code;
    const std::string output = fs::absolute(options.output, error_code).string();
    if (error_code) {
        std::fprintf(stderr, "wingfeast_screenshot: no place for %s\n", options.output.c_str());
        return 1;
    }

    if (options.mode == Options::ICO_FILE) return write_icon_file(output) ? 0 : 1;
    RgbImage picture;
    switch (options.mode) {
        case Options::FIRST_PICTURE: picture = first_picture(); break;
        case Options::ICON: picture = icon_picture(options.icon_size); break;
        case Options::ICO_FILE: break;
        case Options::AFTER_SCRIPT:
            if (!picture_after_script(options, &picture)) return 1;
            break;
    }
    std::string error;
    if (!vorbl_tools::write_png(output, picture, &error)) {
        std::fprintf(stderr, "wingfeast_screenshot: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
