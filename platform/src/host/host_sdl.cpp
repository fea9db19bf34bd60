// host_sdl.cpp: the SDL2 host: real top-level windows, input, presentation and a blocking wait.
//
// Only SDL's video, timer and events subsystems are initialised (a joystick subsystem would turn
// SDL's wait into polling). The wait blocks in SDL_WaitEventTimeout until input arrives or the
// next timer deadline, computed from the remaining time on a monotonic clock; it never polls.
//
// Frames: the window system lays every window out as classic Windows does, and this host shows
// exactly its content: the menu bar strip and the client area. A window manager draws its own
// frame around that, with the frame's corner at the asked outer position; without one (Xvfb) the
// content goes where Windows puts the client area. Resizing, minimising and maximising are
// offered as the window's style allows (motif hints on X11); a user's resize or move is reported
// back. On Wayland the compositor places windows itself, and positions are not honoured; later
// windows are made children of the first, which compositors keep above it.
//
// Scale: on a dense display every window-system pixel is shown as a square of 2 x 2 (or more)
// screen pixels, nearest neighbour, so the pictures stay sharp; positions and sizes are scaled
// and mouse positions divided back, so programs, menus and scripts see the same coordinates at
// every scale. VORBL_SCALE=1..8 chooses the scale instead of the display's density.
//
// Keys: SDL scan codes become Windows virtual keys and set-1 scan codes (US positions; letters
// follow the layout's keycode); numpad digits give VK_NUMPAD0..9 with NumLock on and Shift up,
// the navigation keys otherwise. Text input that the US table would not give for the key-down
// it follows is remembered for its scan code, so TranslateMessage yields it; text that follows
// no key-down (an input method's) is typed as a character of its own.
//
// Displays: only a driver whose display the environment names (DISPLAY, WAYLAND_DISPLAY) is tried,
// or the one SDL_VIDEODRIVER names; SDL's invisible drivers are used only when named so. With no
// display, one line on standard error says why (none named, too few file descriptors, too little
// memory, or the named one would not open) and no window can be made. A display of 8 bits per
// pixel is refused the same way: SDL cannot set its colour map. A Wayland compositor without an
// input seat is not tried: SDL 2.26's Wayland driver crashes on it. A display that goes away
// while the program runs (Xlib's I/O error) closes every window instead of ending the process
// inside Xlib, so the program ends as if the user closed it.
#include <SDL.h>
#include <SDL_syswm.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "core/codepage_1252.h"
#include "core/us_keyboard_layout.h"
#include "host/host.h"
#include "host/host_input.h"
#include "host/program_icon.h"
#include "host/wayland_desktop.h"
#include "host/x11_desktop.h"

namespace platform {

namespace {

enum class VideoState { untried, ready, failed };

struct HostWindowRecord {
    SDL_Window *sdl = nullptr;
    HWND owner = nullptr;
    HostPlacement placement;
    // The X11 display and window behind the SDL window (null and 0 on other video drivers).
    void *x11_display = nullptr;
    unsigned long x11_window = 0;
    bool window_manager = false;  // a window manager draws a frame around the content
};

VideoState video_state = VideoState::untried;
std::vector<HostWindowRecord> records;
int last_key_scan = 0;
int last_key_vk = 0;
// The display could not be opened, or went away while the program ran.
bool display_failed = false;
// Pixels on the screen per pixel of the window system: windows, pictures, positions and the
// screen size are scaled by it, mouse positions divided by it (chosen when video opens).
int scale = 1;
// Set by Xlib's I/O-error exit handler: the X server is gone (handled at the next wait).
bool display_lost = false;
bool watching_display = false;

// Video drivers that show windows to nobody; used only when the user names them.
bool is_invisible_driver(const char *name) {
    return name != nullptr &&
           (SDL_strcmp(name, "offscreen") == 0 || SDL_strcmp(name, "dummy") == 0);
}

void say(const char *message) {
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, message);
}

// The drivers to try, best first: those whose display the environment names. None means there is
// no graphical display to open.
std::vector<const char *> drivers_to_try() {
    std::vector<const char *> drivers;
    const char *chosen = std::getenv("SDL_VIDEODRIVER");
    if (chosen != nullptr && *chosen != '\0') {
        drivers.push_back(chosen);
        return drivers;
    }
    const char *x11 = std::getenv("DISPLAY");
    const char *wayland = std::getenv("WAYLAND_DISPLAY");
    if (x11 != nullptr && *x11 != '\0') drivers.push_back("x11");
    if (wayland != nullptr && *wayland != '\0') drivers.push_back("wayland");
    return drivers;
}

// ---- Wayland ------------------------------------------------------------------------------
// The compositor places every window itself (positions asked for are not honoured) and draws
// decorations only if it wants to; SDL asks libdecor for them where it does not.

bool is_wayland(const char *driver) {
    return driver != nullptr && SDL_strcmp(driver, "wayland") == 0;
}

// SDL's Wayland driver crashes in its start-up on a compositor without an input seat: such a
// compositor is a display nothing can be typed or clicked into, and is not tried.
bool wayland_compositor_usable() {
    switch (wayland::probe_compositor()) {
        case wayland::Compositor::with_seat: return true;
        case wayland::Compositor::without_seat:
            say("the Wayland compositor has no keyboard or pointer (no seat): not using it");
            return false;
        case wayland::Compositor::unreachable: return false;
    }
    return false;
}

// Wayland has no window framebuffer of SDL's own: the windows' pictures go through one of SDL's
// GL renderers (Mesa's software rasteriser where there is no GPU), and without one no buffer is
// ever attached, so the compositor never shows the windows.
void present_through_renderer_on_wayland() {
    if (is_wayland(SDL_GetCurrentVideoDriver())) {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "1");
    }
}

bool open_video_driver(const char *driver) {
    if (is_wayland(driver) && !wayland_compositor_usable()) return false;
    SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    const char *current = SDL_GetCurrentVideoDriver();
    // SDL falls back to an invisible driver when the named one fails; that is no display.
    if (is_invisible_driver(current) && !is_invisible_driver(driver)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    if (is_invisible_driver(current)) {
        say("the video driver named by SDL_VIDEODRIVER shows nothing: the windows will not be "
            "visible");
    }
    return true;
}

bool open_display() {
    return std::ranges::any_of(drivers_to_try(),
                               [](const char *driver) { return open_video_driver(driver); });
}

// Whether the process could open only a few more files: a display connection (a socket, and the
// descriptors SDL and Xlib open besides) needs several.
bool descriptors_nearly_exhausted() {
    constexpr int kWanted = 4;
    int opened[kWanted];
    int count = 0;
    bool short_of_descriptors = false;
    for (; count < kWanted; ++count) {
        opened[count] = open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (opened[count] < 0) {
            short_of_descriptors = errno == EMFILE || errno == ENFILE;
            break;
        }
    }
    for (int i = 0; i < count; ++i) close(opened[i]);
    return short_of_descriptors;
}

// The line that says why no window can be made: no display named, too few file descriptors, too
// little memory, or a named display that would not open (SDL's own words).
std::string why_no_display() {
    auto named = [](const char *variable) {
        const char *value = std::getenv(variable);
        return value != nullptr && *value != '\0';
    };
    if (drivers_to_try().empty() || (!named("DISPLAY") && !named("WAYLAND_DISPLAY"))) {
        return "no graphical display found: set DISPLAY (X11) or WAYLAND_DISPLAY (Wayland), start "
               "it from a desktop session, or run it under xvfb-run";
    }
    if (descriptors_nearly_exhausted()) {
        return "cannot open the graphical display: too few file descriptors are allowed (raise "
               "the limit, ulimit -n)";
    }
    const std::string error = SDL_GetError();
    if (error.find("memory") != std::string::npos) {
        return "cannot open the graphical display: out of memory";
    }
    // The display tried: X11's where both are named, as drivers_to_try() orders them.
    const char *x11 = std::getenv("DISPLAY");
    const char *wayland = std::getenv("WAYLAND_DISPLAY");
    std::string which;
    if (named("DISPLAY")) {
        which = std::string(" ") + x11;
    } else if (named("WAYLAND_DISPLAY")) {
        which = std::string(" ") + wayland + " (Wayland)";
    }
    const std::string reason = error.empty() ? "" : " (" + error + ")";
    return "cannot open the graphical display" + which + reason +
           ": is it running, and may this user use it?";
}

// SDL shows pictures on a display of 8 bits per pixel (a colour map) without ever setting the
// map's colours, so every window would be one dark colour: such a display is refused instead.
bool enough_colours() {
    SDL_DisplayMode mode;
    return SDL_GetDesktopDisplayMode(0, &mode) != 0 || SDL_BITSPERPIXEL(mode.format) > 8;
}

// The smallest screen, in window-system pixels, that a scale may leave: the classic 800 x 600.
constexpr int kLeastScaledWidth = 800;
constexpr int kLeastScaledHeight = 600;
constexpr int kLargestScale = 8;

// VORBL_SCALE when it names a whole number from 1 to 8; otherwise the display's density in
// multiples of 96 dots per inch, no more than leaves an 800 x 600 screen.
int choose_scale() {
    if (const char *asked = std::getenv("VORBL_SCALE"); asked != nullptr && *asked != '\0') {
        const int value = std::atoi(asked);
        if (value >= 1 && value <= kLargestScale) return value;
        say("VORBL_SCALE must be a whole number from 1 to 8; using the display's density");
    }
    float dpi = 0;
    SDL_Rect bounds;
    if (SDL_GetDisplayDPI(0, nullptr, &dpi, nullptr) != 0 || dpi <= 0 ||
        SDL_GetDisplayBounds(0, &bounds) != 0) {
        return 1;
    }
    int chosen = std::clamp(static_cast<int>(std::lround(dpi / 96.0f)), 1, kLargestScale);
    chosen = std::min({chosen, bounds.w / kLeastScaledWidth, bounds.h / kLeastScaledHeight});
    return std::max(chosen, 1);
}

// At exit: close the display and SDL's desktop-bus connection. Not after the display was lost:
// SDL would wait for replies from a server that is gone.
void quit_sdl() {
    if (!display_lost) SDL_Quit();
}

bool ensure_video() {
    if (video_state != VideoState::untried) return video_state == VideoState::ready;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // Present through the plain window framebuffer: a GL-backed one starts render threads that
    // cost processor time even while the program waits.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Before SDL's video starts: SDL keeps the X error handler it finds and puts it back at quit,
    // before it closes its connections. An error answered only then (its wake-up message to a
    // window the program already destroyed) must meet this handler, not Xlib's default, which
    // would end a program that closed normally with exit code 1.
    x11::tolerate_protocol_errors();
    // Too few descriptors are found before the display is tried: Xlib would otherwise print its
    // own line when it cannot read the X authority file, and the cause would be said twice.
    if (descriptors_nearly_exhausted() || SDL_Init(SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0 ||
        !open_display()) {
        say(why_no_display().c_str());
        SDL_Quit();
        video_state = VideoState::failed;
        display_failed = true;
        return false;
    }
    if (!enough_colours()) {
        say("the display shows only 256 colours (8 bits per pixel), which this program cannot "
            "use: run it on a display of 16 or 24 bits per pixel");
        SDL_Quit();
        video_state = VideoState::failed;
        display_failed = true;
        return false;
    }
    video_state = VideoState::ready;
    present_through_renderer_on_wayland();
    scale = choose_scale();
    std::atexit(quit_sdl);
    return true;
}

void note_display_lost() { display_lost = true; }

// The X server went away: say so once, stop using SDL, and close every window, so the program
// ends the way it does when the user closes it (a recording in progress is written out).
void handle_display_loss() {
    if (!display_lost || video_state != VideoState::ready) return;
    video_state = VideoState::failed;
    display_failed = true;
    say("the graphical display went away; ending");
    for (const HostWindowRecord &record : std::vector<HostWindowRecord>(records)) {
        host_input_close(record.owner);
    }
}

HostWindowRecord *record_of(HostWindow window) {
    for (HostWindowRecord &record : records) {
        if (reinterpret_cast<HostWindow>(record.sdl) == window) return &record;
    }
    return nullptr;
}

HostWindowRecord *record_of_sdl_id(Uint32 window_id) {
    SDL_Window *sdl = SDL_GetWindowFromID(window_id);
    for (HostWindowRecord &record : records) {
        if (record.sdl == sdl && sdl != nullptr) return &record;
    }
    return nullptr;
}

HWND owner_of_sdl_id(Uint32 window_id) {
    const HostWindowRecord *record = record_of_sdl_id(window_id);
    return record != nullptr ? record->owner : nullptr;
}

void find_x11_window(HostWindowRecord &record) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(record.sdl, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
        return;
    }
    record.x11_display = info.info.x11.display;
    record.x11_window = info.info.x11.window;
    record.window_manager = x11::window_manager_running(record.x11_display);
}

// Where the SDL window (its content) goes. A window manager places its frame's corner where the
// window asks to be (north-west gravity), so the asked position is the outer corner; without
// one, the content goes where Windows puts the client area: inside the frame and caption.
// In screen pixels, so scaled.
SDL_Point content_position(const HostWindowRecord &record) {
    const HostPlacement &place = record.placement;
    if (record.window_manager) return SDL_Point{place.x * scale, place.y * scale};
    return SDL_Point{(place.x + place.content_left) * scale, (place.y + place.content_top) * scale};
}

// The frame shows the program's icon from the desktop's icon theme, when one is installed.
void show_program_icon(SDL_Window *sdl) {
    static ProgramIcon icon;
    static const bool found = load_running_program_icon(&icon);
    if (!found) return;
    SDL_Surface *surface = SDL_CreateRGBSurfaceWithFormatFrom(
        icon.rgba.data(), icon.width, icon.height, 32, icon.width * 4, SDL_PIXELFORMAT_RGBA32);
    if (surface == nullptr) return;
    SDL_SetWindowIcon(sdl, surface);
    SDL_FreeSurface(surface);
}

HostWindow create_window(HWND owner, const char *title, const HostPlacement &placement) {
    if (!ensure_video()) return 0;
    const int width = std::max(placement.content_width, 1) * scale;
    const int height = std::max(placement.content_height, 1) * scale;
    Uint32 flags = SDL_WINDOW_HIDDEN | (placement.resizable ? SDL_WINDOW_RESIZABLE : 0);
    std::string utf8_title = cp1252_to_utf8(title);
    SDL_Window *sdl =
        SDL_CreateWindow(utf8_title.c_str(), placement.x, placement.y, width, height, flags);
    if (sdl == nullptr) {
        std::fprintf(stderr, "VORBL: cannot create a window: %s\n", SDL_GetError());
        return 0;
    }
    show_program_icon(sdl);
    HostWindowRecord record{sdl, owner, placement};
    find_x11_window(record);
    if (!watching_display && record.x11_display != nullptr) {
        x11::survive_display_loss(record.x11_display, note_display_lost);
        watching_display = true;
    }
    x11::set_allowed_actions(record.x11_display, record.x11_window, placement.resizable,
                             placement.minimize_box, placement.maximize_box);
    x11::request_frame_extents(record.x11_display, record.x11_window);
    const SDL_Point at = content_position(record);
    SDL_SetWindowPosition(sdl, at.x, at.y);
    records.push_back(record);
    return reinterpret_cast<HostWindow>(sdl);
}

void destroy_window(HostWindow window) {
    for (auto it = records.begin(); it != records.end(); ++it) {
        if (reinterpret_cast<HostWindow>(it->sdl) != window) continue;
        // With the display gone SDL would wait for the server's answer for ever; the window is
        // gone with the server anyway.
        if (!display_lost) SDL_DestroyWindow(it->sdl);
        records.erase(it);
        return;
    }
}

// Wayland lets no program place its windows, so the compositor may put a later window (the
// text window) where the first (the graphics window) covers it. Each shown later window is
// made the first one's child, which compositors keep above its parent: clicking the graphics
// window never buries the text window. Both must be shown (mapped) for that.
void keep_later_windows_above_first() {
    if (records.size() < 2 || !is_wayland(SDL_GetCurrentVideoDriver())) return;
    SDL_Window *first = records.front().sdl;
    if ((SDL_GetWindowFlags(first) & SDL_WINDOW_SHOWN) == 0) return;
    for (auto it = records.begin() + 1; it != records.end(); ++it) {
        if ((SDL_GetWindowFlags(it->sdl) & SDL_WINDOW_SHOWN) != 0) {
            SDL_SetWindowModalFor(it->sdl, first);
        }
    }
}

void show_window(HostWindow window, bool visible) {
    HostWindowRecord *record = record_of(window);
    if (record == nullptr || video_state != VideoState::ready) return;
    if (visible) {
        SDL_ShowWindow(record->sdl);
        keep_later_windows_above_first();
    } else {
        SDL_HideWindow(record->sdl);
    }
}

// The desktop window follows ShowWindow's minimise, maximise and restore; the window manager's
// own changes come back through handle_window_event.
void set_show_state(HostWindow window, HostShowState state) {
    HostWindowRecord *record = record_of(window);
    if (record == nullptr || video_state != VideoState::ready) return;
    switch (state) {
        case HostShowState::minimized: SDL_MinimizeWindow(record->sdl); break;
        case HostShowState::maximized: SDL_MaximizeWindow(record->sdl); break;
        case HostShowState::normal: SDL_RestoreWindow(record->sdl); break;
    }
}

void place_window(HostWindow window, const HostPlacement &placement) {
    HostWindowRecord *record = record_of(window);
    if (record == nullptr || video_state != VideoState::ready) return;
    record->placement = placement;
    SDL_SetWindowSize(record->sdl, std::max(placement.content_width, 1) * scale,
                      std::max(placement.content_height, 1) * scale);
    const SDL_Point at = content_position(*record);
    if (!record->window_manager) {
        SDL_SetWindowPosition(record->sdl, at.x, at.y);
        return;
    }
    // SDL positions the content; under a window manager the frame's corner is wanted at (x, y).
    x11::FrameExtents frame;
    if (x11::frame_extents(record->x11_display, record->x11_window, &frame)) {
        SDL_SetWindowPosition(record->sdl, at.x + frame.left, at.y + frame.top);
    }
}

// The desktop moved the window's content to screen pixel (x, y): report where its outer corner
// now is, or nothing while the window manager's frame is not known yet.
void report_move(const HostWindowRecord &record, int x, int y) {
    if (!record.window_manager) {
        host_input_moved(record.owner, x / scale - record.placement.content_left,
                         y / scale - record.placement.content_top);
        return;
    }
    x11::FrameExtents frame;  // in screen pixels: the manager's frame is not scaled
    if (!x11::frame_extents(record.x11_display, record.x11_window, &frame)) return;
    host_input_moved(record.owner, (x - frame.left) / scale, (y - frame.top) / scale);
}

void present(HostWindow window, const PixelSurface &picture) {
    HostWindowRecord *record = record_of(window);
    if (record == nullptr || picture.pixels == nullptr || video_state != VideoState::ready) return;
    SDL_Surface *target = SDL_GetWindowSurface(record->sdl);
    if (target == nullptr) return;
    SDL_Surface *source =
        SDL_CreateRGBSurfaceWithFormatFrom(picture.pixels, picture.width, picture.height, 32,
                                           picture.stride * 4, SDL_PIXELFORMAT_RGB888);
    if (source == nullptr) return;
    if (scale == 1) {
        SDL_BlitSurface(source, nullptr, target, nullptr);
    } else {
        // Nearest neighbour, SDL's scaling for plain surfaces: every pixel stays a sharp square.
        SDL_Rect whole{0, 0, picture.width * scale, picture.height * scale};
        SDL_BlitScaled(source, nullptr, target, &whole);
    }
    SDL_FreeSurface(source);
    SDL_UpdateWindowSurface(record->sdl);
}

void screen_size(int *width, int *height) {
    *width = 0;
    *height = 0;
    SDL_Rect bounds;
    if (ensure_video() && SDL_GetDisplayBounds(0, &bounds) == 0) {
        *width = bounds.w / scale;
        *height = bounds.h / scale;
    }
}

std::uint64_t now_ms() {
    static const auto start = std::chrono::steady_clock::now();
    auto elapsed = std::chrono::steady_clock::now() - start;
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

// ---- Keys ---------------------------------------------------------------------------------

struct KeyIdentity {
    int vk = 0;
    int scan = 0;
    bool extended = false;
};

// Keys named by SDL scan code whose virtual key does not follow from the US scan table.
int vk_for_named_key(SDL_Scancode code) {
    switch (code) {
        case SDL_SCANCODE_LCTRL:
        case SDL_SCANCODE_RCTRL: return VK_CONTROL;
        case SDL_SCANCODE_LSHIFT:
        case SDL_SCANCODE_RSHIFT: return VK_SHIFT;
        case SDL_SCANCODE_LALT:
        case SDL_SCANCODE_RALT: return VK_MENU;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER: return VK_RETURN;
        case SDL_SCANCODE_ESCAPE: return VK_ESCAPE;
        case SDL_SCANCODE_BACKSPACE: return VK_BACK;
        case SDL_SCANCODE_TAB: return VK_TAB;
        case SDL_SCANCODE_SPACE: return VK_SPACE;
        case SDL_SCANCODE_CAPSLOCK: return VK_CAPITAL;
        case SDL_SCANCODE_NUMLOCKCLEAR: return VK_NUMLOCK;
        case SDL_SCANCODE_PAUSE: return VK_PAUSE;
        case SDL_SCANCODE_MINUS: return VK_OEM_MINUS;
        case SDL_SCANCODE_EQUALS: return VK_OEM_PLUS;
        case SDL_SCANCODE_LEFTBRACKET: return VK_OEM_4;
        case SDL_SCANCODE_RIGHTBRACKET: return VK_OEM_6;
        case SDL_SCANCODE_BACKSLASH: return VK_OEM_5;
        case SDL_SCANCODE_SEMICOLON: return VK_OEM_1;
        case SDL_SCANCODE_APOSTROPHE: return VK_OEM_7;
        case SDL_SCANCODE_GRAVE: return VK_OEM_3;
        case SDL_SCANCODE_COMMA: return VK_OEM_COMMA;
        case SDL_SCANCODE_PERIOD: return VK_OEM_PERIOD;
        case SDL_SCANCODE_SLASH: return VK_OEM_2;
        case SDL_SCANCODE_NONUSBACKSLASH: return 0xE2;  // VK_OEM_102
        case SDL_SCANCODE_INSERT: return VK_INSERT;
        case SDL_SCANCODE_DELETE: return VK_DELETE;
        case SDL_SCANCODE_HOME: return VK_HOME;
        case SDL_SCANCODE_END: return VK_END;
        case SDL_SCANCODE_PAGEUP: return VK_PRIOR;
        case SDL_SCANCODE_PAGEDOWN: return VK_NEXT;
        case SDL_SCANCODE_LEFT: return VK_LEFT;
        case SDL_SCANCODE_RIGHT: return VK_RIGHT;
        case SDL_SCANCODE_UP: return VK_UP;
        case SDL_SCANCODE_DOWN: return VK_DOWN;
        case SDL_SCANCODE_KP_DIVIDE: return VK_DIVIDE;
        case SDL_SCANCODE_KP_MULTIPLY: return VK_MULTIPLY;
        case SDL_SCANCODE_KP_MINUS: return VK_SUBTRACT;
        case SDL_SCANCODE_KP_PLUS: return VK_ADD;
        default: return 0;
    }
}

// The numpad digit and point keys: digits with NumLock on and Shift up, navigation otherwise.
int vk_for_numpad(SDL_Scancode code, bool digits) {
    static constexpr int kNavigation[10] = {VK_INSERT, VK_END,   VK_DOWN, VK_NEXT, VK_LEFT,
                                            VK_CLEAR,  VK_RIGHT, VK_HOME, VK_UP,   VK_PRIOR};
    if (code == SDL_SCANCODE_KP_PERIOD) return digits ? VK_DECIMAL : VK_DELETE;
    int digit = code == SDL_SCANCODE_KP_0 ? 0 : code - SDL_SCANCODE_KP_1 + 1;
    return digits ? VK_NUMPAD0 + digit : kNavigation[digit];
}

bool is_numpad_digit_or_point(SDL_Scancode code) {
    return (code >= SDL_SCANCODE_KP_1 && code <= SDL_SCANCODE_KP_0) ||
           code == SDL_SCANCODE_KP_PERIOD;
}

int vk_for_position(const SDL_Keysym &key) {
    SDL_Scancode code = key.scancode;
    if (key.sym >= 'a' && key.sym <= 'z') return static_cast<int>(key.sym - 'a' + 'A');
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z) return 'A' + (code - SDL_SCANCODE_A);
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9) return '1' + (code - SDL_SCANCODE_1);
    if (code == SDL_SCANCODE_0) return '0';
    if (code >= SDL_SCANCODE_F1 && code <= SDL_SCANCODE_F12) {
        return VK_F1 + (code - SDL_SCANCODE_F1);
    }
    return vk_for_named_key(code);
}

bool is_right_hand_or_grey(SDL_Scancode code) {
    return code == SDL_SCANCODE_RCTRL || code == SDL_SCANCODE_RALT ||
           code == SDL_SCANCODE_KP_ENTER || code == SDL_SCANCODE_KP_DIVIDE;
}

KeyIdentity identify_key(const SDL_Keysym &key) {
    KeyIdentity id;
    if (is_numpad_digit_or_point(key.scancode)) {
        bool digits = (key.mod & KMOD_NUM) != 0 && (key.mod & KMOD_SHIFT) == 0;
        id.vk = vk_for_numpad(key.scancode, digits);
        // The numpad keys keep their own, non-extended scan codes whatever NumLock says.
        int digit_vk = vk_for_numpad(key.scancode, true);
        id.scan = scan_code_for_virtual_key(digit_vk).code;
        return id;
    }
    id.vk = vk_for_position(key);
    ScanCode scan = scan_code_for_virtual_key(id.vk);
    id.scan = scan.code;
    id.extended = scan.extended || is_right_hand_or_grey(key.scancode);
    if (key.scancode == SDL_SCANCODE_RSHIFT) id.scan = 0x36;
    if (id.vk == VK_RETURN && key.scancode == SDL_SCANCODE_RETURN) id.extended = false;
    return id;
}

void handle_key(const SDL_KeyboardEvent &event) {
    KeyIdentity id = identify_key(event.keysym);
    bool down = event.type == SDL_KEYDOWN;
    if (id.vk == 0 || !down) {
        last_key_vk = 0;  // text after this belongs to no key the window system knows
    }
    if (id.vk == 0) return;
    if (id.vk != VK_CAPITAL) host_input_caps_lock((event.keysym.mod & KMOD_CAPS) != 0);
    if (down) {
        last_key_scan = id.scan;
        last_key_vk = id.vk;
    }
    host_input_key(id.vk, id.scan, id.extended, down);
}

// A character that came with no key (an input method's text): typed with a key of its own (the
// byte as its scan code, which no real key sends above 0x7F), so TranslateMessage gives it.
void type_keyless_char(unsigned char code) {
    if (code < 0x80) return;  // a scan code below 0x80 is a real key's: it would change that key
    host_input_text(kVirtualKeyForeignChar, code, code);
    host_input_key(kVirtualKeyForeignChar, code, false, true);
    host_input_key(kVirtualKeyForeignChar, code, false, false);
}

// Text from the host's layout for the key-down it follows: the window system keeps it where the
// US table would give another character. Only the first text after a key-down belongs to it;
// any other text (an input method's, or after a key the window system does not know) is a
// character of its own and never sticks to the key pressed before it.
void handle_text(const SDL_TextInputEvent &event) {
    unsigned char code = cp1252_from_unicode(utf8_first_code_point(event.text));
    if (last_key_vk == 0) {
        type_keyless_char(code);
        return;
    }
    host_input_text(last_key_vk, last_key_scan, code);
    last_key_vk = 0;
}

// ---- Events -------------------------------------------------------------------------------

void handle_window_event(const SDL_WindowEvent &event) {
    const HostWindowRecord *record = record_of_sdl_id(event.windowID);
    if (record == nullptr) return;
    HWND owner = record->owner;
    switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE: host_input_close(owner); break;
        case SDL_WINDOWEVENT_EXPOSED: host_input_expose(owner); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: host_input_focus(owner); break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            host_input_content_size(owner, event.data1 / scale, event.data2 / scale);
            break;
        case SDL_WINDOWEVENT_MOVED: report_move(*record, event.data1, event.data2); break;
        case SDL_WINDOWEVENT_MINIMIZED:
            host_input_show_state(owner, HostShowState::minimized);
            break;
        case SDL_WINDOWEVENT_MAXIMIZED:
            host_input_show_state(owner, HostShowState::maximized);
            break;
        case SDL_WINDOWEVENT_RESTORED: host_input_show_state(owner, HostShowState::normal); break;
        default: break;
    }
}

void handle_event(const SDL_Event &event) {
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: handle_key(event.key); break;
        case SDL_TEXTINPUT: handle_text(event.text); break;
        case SDL_MOUSEMOTION:
            if (HWND owner = owner_of_sdl_id(event.motion.windowID)) {
                host_input_mouse(owner, true, false, event.motion.x / scale,
                                 event.motion.y / scale);
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (event.button.button != SDL_BUTTON_LEFT) break;
            if (HWND owner = owner_of_sdl_id(event.button.windowID)) {
                host_input_mouse(owner, false, event.type == SDL_MOUSEBUTTONDOWN,
                                 event.button.x / scale, event.button.y / scale);
            }
            break;
        case SDL_WINDOWEVENT: handle_window_event(event.window); break;
        default: break;
    }
}

void collect_input() {
    if (video_state != VideoState::ready) return;
    SDL_Event event;
    while (!display_lost && SDL_PollEvent(&event) != 0) handle_event(event);
    handle_display_loss();
}

// Milliseconds left until the deadline (0 once it has passed).
int remaining_ms(std::uint64_t deadline_ms) {
    std::uint64_t now = now_ms();
    if (deadline_ms <= now) return 0;
    std::uint64_t left = deadline_ms - now;
    return left > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(left);
}

bool wait_input(std::uint64_t deadline_ms) {
    if (video_state != VideoState::ready) {
        // No display: only timers can wake us, so sleep until the next one.
        if (deadline_ms == kNoDeadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(remaining_ms(deadline_ms)));
        return true;
    }
    SDL_Event event;
    int got = deadline_ms == kNoDeadline ? SDL_WaitEvent(&event)
                                         : SDL_WaitEventTimeout(&event, remaining_ms(deadline_ms));
    if (got != 0 && !display_lost) handle_event(event);
    collect_input();
    return true;
}

constexpr HostBackend kSdlBackend = {true,          create_window, destroy_window, show_window,
                                     place_window,  present,       screen_size,    now_ms,
                                     collect_input, wait_input,    set_show_state};

}  // namespace

const HostBackend &sdl_backend() { return kSdlBackend; }

bool sdl_host_display_failed() { return display_failed; }

}  // namespace platform
