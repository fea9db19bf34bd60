// host_browser.cpp: the browser host: a web page's canvases, its input and a wait that yields.
//
// Each host window is a frame on the page, inside the element with the id "vorbl-desktop" (or
// the page's body), at the window's outer position in CSS pixels, with a caption showing its
// title in the place Windows gives the caption; its canvas shows the content area (menu bar strip
// and client area) where Windows puts it. So the windows sit on the page as they do on the
// desktop. A present converts the window's 0x00RRGGBB pixels to the canvas's RGBA bytes and puts
// them on the canvas.
//
// Input: listeners on the page (host_browser.js) queue keyboard and mouse events; collect_input
// hands them to the window system through host_input.h. KeyboardEvent.code names the key's
// position and becomes a Windows virtual key and set-1 scan code (US positions, as the SDL2 host
// does); the numpad digits give VK_NUMPAD0..9 when the browser reports a digit for them (NumLock
// on, Shift up) and the navigation keys otherwise. The character the browser's layout typed is
// handed over as a Windows-1252 byte. Keys the package or its menus use (Ctrl+letters, F10, Alt,
// arrows, space) are kept from the browser's own shortcuts; F5, F11 and F12 still reach the
// browser. A page button or file chooser never keeps the keyboard from the program. The page's
// touch controls queue their keys through the same path. Leaving the page releases every key
// still held, so none sticks down.
//
// The wait: the program's blocking message loop stays as it is. wait_input suspends the program
// (Asyncify: the WebAssembly stack is saved and the browser's event loop runs) until an input
// listener or a timeout for the deadline wakes it; nothing runs in between, so a waiting program
// costs the page nothing. Module.vorblHost.wakes counts the resumptions, for tests that check
// that the wait does not spin.
//
// Show states: a minimised window's frame collapses to its caption (the canvas hidden) and a
// click on that caption restores it, reported as a window manager's restore; a maximised window
// is placed by the window system to fill the screen, which the page scales to fit its stage.
//
// Limits: one page, one program; the page may scale the canvases (the mouse is mapped back to
// canvas pixels) but must not rotate them; the frames cannot be dragged, resized or closed by
// the user (a window moves and changes size only when the program says so: MoveWindow,
// SetWindowPos).
#include <emscripten.h>
#if defined(__wasm_simd128__)
#include <wasm_simd128.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/codepage_1252.h"
#include "core/us_keyboard_layout.h"
#include "host/host.h"
#include "host/host_input.h"

// The JavaScript half, host_browser.js: the canvases, the input listeners and the sleep.
extern "C" {
void vorbl_js_host_start(void);
void vorbl_js_create_canvas(int id, const char *title, const int *placement);
void vorbl_js_place_canvas(int id, const int *placement);
void vorbl_js_destroy_canvas(int id);
void vorbl_js_show_canvas(int id, int visible);
void vorbl_js_show_state(int id, int state);
void vorbl_js_present(int id, const std::uint8_t *rgba, int width, int height);
int vorbl_js_screen_width(void);
int vorbl_js_screen_height(void);
int vorbl_js_has_input(void);
int vorbl_js_take_event(int *fields, char *code, int code_size);
void vorbl_js_sleep(double timeout_ms);
}

namespace platform {

namespace {

struct BrowserWindow {
    int id = 0;
    HWND owner = nullptr;
};

std::vector<BrowserWindow> windows;
int next_window_id = 1;
std::vector<std::uint32_t> rgba_scratch;
int last_key_scan = 0;
int last_key_vk = 0;

void ensure_started() {
    static bool started = false;
    if (started) return;
    started = true;
    vorbl_js_host_start();
}

HWND owner_of(int id) {
    for (const BrowserWindow &window : windows) {
        if (window.id == id) return window.owner;
    }
    return nullptr;
}

// The placement as the JavaScript half reads it: outer x, y, width, height, the content's
// offset and size, whether the user may resize it.
struct PlacementFields {
    int values[9];
};

PlacementFields fields_of(const HostPlacement &placement) {
    return {{placement.x, placement.y, placement.width, placement.height, placement.content_left,
             placement.content_top, std::max(placement.content_width, 1),
             std::max(placement.content_height, 1), placement.resizable ? 1 : 0}};
}

HostWindow create_window(HWND owner, const char *title, const HostPlacement &placement) {
    ensure_started();
    int id = next_window_id++;
    std::string utf8_title = cp1252_to_utf8(title != nullptr ? title : "");
    PlacementFields fields = fields_of(placement);
    vorbl_js_create_canvas(id, utf8_title.c_str(), fields.values);
    windows.push_back(BrowserWindow{id, owner});
    return static_cast<HostWindow>(id);
}

void place_window(HostWindow window, const HostPlacement &placement) {
    PlacementFields fields = fields_of(placement);
    vorbl_js_place_canvas(static_cast<int>(window), fields.values);
}

void destroy_window(HostWindow window) {
    int id = static_cast<int>(window);
    std::erase_if(windows, [id](const BrowserWindow &w) { return w.id == id; });
    vorbl_js_destroy_canvas(id);
}

void show_window(HostWindow window, bool visible) {
    vorbl_js_show_canvas(static_cast<int>(window), visible ? 1 : 0);
}

// One row of 0x00RRGGBB words as R, G, B, 255 bytes: on this little-endian machine, 0xFFBBGGRR
// words. Four pixels at a time where the build has SIMD (the bytes of each word swapped into
// place, then the alpha byte set): the conversion runs over every pixel of every frame shown.
void convert_row(const std::uint32_t *in, std::uint32_t *out, int count) {
    int column = 0;
#if defined(__wasm_simd128__)
    const v128_t alpha = wasm_i32x4_splat(static_cast<std::int32_t>(0xFF000000u));
    for (; column + 4 <= count; column += 4) {
        const v128_t words = wasm_v128_load(in + column);
        const v128_t swapped =
            wasm_i8x16_shuffle(words, words, 2, 1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13, 12, 15);
        wasm_v128_store(out + column, wasm_v128_or(swapped, alpha));
    }
#endif
    for (; column < count; ++column) {
        const std::uint32_t p = in[column];
        out[column] = 0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
    }
}

void present(HostWindow window, const PixelSurface &picture) {
    if (picture.pixels == nullptr || picture.width <= 0 || picture.height <= 0) return;
    const std::size_t width = static_cast<std::size_t>(picture.width);
    rgba_scratch.resize(width * static_cast<std::size_t>(picture.height));
    for (int row = 0; row < picture.height; ++row) {
        convert_row(picture.pixels + static_cast<std::size_t>(row) * picture.stride,
                    rgba_scratch.data() + static_cast<std::size_t>(row) * width, picture.width);
    }
    vorbl_js_present(static_cast<int>(window),
                     reinterpret_cast<const std::uint8_t *>(rgba_scratch.data()), picture.width,
                     picture.height);
}

void screen_size(int *width, int *height) {
    *width = vorbl_js_screen_width();
    *height = vorbl_js_screen_height();
}

std::uint64_t now_ms() {
    static const double start = emscripten_get_now();
    return static_cast<std::uint64_t>(emscripten_get_now() - start);
}

// ---- Keys ---------------------------------------------------------------------------------

struct NamedKey {
    std::string_view code;
    int vk;
};

// KeyboardEvent.code names whose virtual key does not follow from a letter, digit or F-key.
constexpr NamedKey kNamedKeys[] = {
    {"ControlLeft", VK_CONTROL},
    {"ControlRight", VK_CONTROL},
    {"ShiftLeft", VK_SHIFT},
    {"ShiftRight", VK_SHIFT},
    {"AltLeft", VK_MENU},
    {"AltRight", VK_MENU},
    {"Enter", VK_RETURN},
    {"NumpadEnter", VK_RETURN},
    {"Escape", VK_ESCAPE},
    {"Backspace", VK_BACK},
    {"Tab", VK_TAB},
    {"Space", VK_SPACE},
    {"CapsLock", VK_CAPITAL},
    {"NumLock", VK_NUMLOCK},
    {"Pause", VK_PAUSE},
    {"Minus", VK_OEM_MINUS},
    {"Equal", VK_OEM_PLUS},
    {"BracketLeft", VK_OEM_4},
    {"BracketRight", VK_OEM_6},
    {"Backslash", VK_OEM_5},
    {"Semicolon", VK_OEM_1},
    {"Quote", VK_OEM_7},
    {"Backquote", VK_OEM_3},
    {"Comma", VK_OEM_COMMA},
    {"Period", VK_OEM_PERIOD},
    {"Slash", VK_OEM_2},
    {"IntlBackslash", 0xE2},
    {"Insert", VK_INSERT},
    {"Delete", VK_DELETE},
    {"Home", VK_HOME},
    {"End", VK_END},
    {"PageUp", VK_PRIOR},
    {"PageDown", VK_NEXT},
    {"ArrowLeft", VK_LEFT},
    {"ArrowRight", VK_RIGHT},
    {"ArrowUp", VK_UP},
    {"ArrowDown", VK_DOWN},
    {"NumpadDivide", VK_DIVIDE},
    {"NumpadMultiply", VK_MULTIPLY},
    {"NumpadSubtract", VK_SUBTRACT},
    {"NumpadAdd", VK_ADD},
};

// The digit of "Numpad0".."Numpad9" (10 for "NumpadDecimal"), or -1 for any other code.
int numpad_digit(std::string_view code) {
    if (code == "NumpadDecimal") return 10;
    if (code.size() == 7 && code.starts_with("Numpad") && code[6] >= '0' && code[6] <= '9')
        return code[6] - '0';
    return -1;
}

// The numpad digit and point keys: digits when the browser typed a digit, navigation otherwise.
int vk_for_numpad(int digit, bool digits) {
    static constexpr int kNavigation[10] = {VK_INSERT, VK_END,   VK_DOWN, VK_NEXT, VK_LEFT,
                                            VK_CLEAR,  VK_RIGHT, VK_HOME, VK_UP,   VK_PRIOR};
    if (digit == 10) return digits ? VK_DECIMAL : VK_DELETE;
    return digits ? VK_NUMPAD0 + digit : kNavigation[digit];
}

int vk_for_position(std::string_view code) {
    if (code.size() == 4 && code.starts_with("Key") && code[3] >= 'A' && code[3] <= 'Z')
        return code[3];
    if (code.size() == 6 && code.starts_with("Digit") && code[5] >= '0' && code[5] <= '9')
        return code[5];
    if (code.size() >= 2 && code.size() <= 3 && code[0] == 'F') {
        int number = 0;
        for (char c : code.substr(1)) {
            if (c < '0' || c > '9') return 0;
            number = number * 10 + (c - '0');
        }
        return number >= 1 && number <= 12 ? VK_F1 + number - 1 : 0;
    }
    for (const NamedKey &key : kNamedKeys) {
        if (key.code == code) return key.vk;
    }
    return 0;
}

bool is_right_hand_or_grey(std::string_view code) {
    return code == "ControlRight" || code == "AltRight" || code == "NumpadEnter" ||
           code == "NumpadDivide";
}

struct KeyIdentity {
    int vk = 0;
    int scan = 0;
    bool extended = false;
};

KeyIdentity identify_key(std::string_view code, bool typed_digit) {
    KeyIdentity id;
    int digit = numpad_digit(code);
    if (digit >= 0) {
        id.vk = vk_for_numpad(digit, typed_digit);
        // The numpad keys keep their own, non-extended scan codes whatever NumLock says.
        id.scan = scan_code_for_virtual_key(vk_for_numpad(digit, true)).code;
        return id;
    }
    id.vk = vk_for_position(code);
    ScanCode scan = scan_code_for_virtual_key(id.vk);
    id.scan = scan.code;
    id.extended = scan.extended || is_right_hand_or_grey(code);
    if (code == "ShiftRight") id.scan = 0x36;
    if (code == "Enter") id.extended = false;
    return id;
}

void handle_key(const int *fields, std::string_view code) {
    bool down = fields[0] != 0;
    KeyIdentity id = identify_key(code, fields[2] != 0);
    if (id.vk == 0) return;
    if (id.vk != VK_CAPITAL) host_input_caps_lock(fields[3] != 0);
    if (down) {
        last_key_scan = id.scan;
        last_key_vk = id.vk;
    }
    host_input_key(id.vk, id.scan, id.extended, down);
    if (down && fields[1] > 0) {
        host_input_text(last_key_vk, last_key_scan,
                        cp1252_from_unicode(static_cast<std::uint32_t>(fields[1])));
    }
}

void handle_mouse(const int *fields) {
    HWND owner = owner_of(fields[0]);
    if (owner == nullptr) return;
    host_input_mouse(owner, fields[1] != 0, fields[2] != 0, fields[3], fields[4]);
}

// The page's own restore (a click on a minimised window's caption), as a window manager's.
void handle_show_state(const int *fields) {
    HWND owner = owner_of(fields[0]);
    if (owner == nullptr) return;
    constexpr HostShowState kStates[] = {HostShowState::normal, HostShowState::minimized,
                                         HostShowState::maximized};
    if (fields[1] >= 0 && fields[1] < 3) host_input_show_state(owner, kStates[fields[1]]);
}

void collect_input() {
    ensure_started();
    int fields[5] = {};
    char code[32] = {};
    for (;;) {
        int type = vorbl_js_take_event(fields, code, static_cast<int>(sizeof code));
        if (type == 0) return;
        if (type == 1) handle_key(fields, std::string_view(code, std::strlen(code)));
        if (type == 2) handle_mouse(fields);
        if (type == 3) handle_show_state(fields);
    }
}

bool wait_input(std::uint64_t deadline_ms) {
    ensure_started();
    if (vorbl_js_has_input() == 0) {
        double timeout = -1;
        if (deadline_ms != kNoDeadline) {
            std::uint64_t now = now_ms();
            timeout = deadline_ms > now ? static_cast<double>(deadline_ms - now) : 0.0;
        }
        vorbl_js_sleep(timeout);
    }
    collect_input();
    return true;
}

// The page shows a minimised window as its caption alone; a maximised one is already placed to
// fill the screen by the window system.
void set_show_state(HostWindow window, HostShowState state) {
    vorbl_js_show_state(static_cast<int>(window), static_cast<int>(state));
}

constexpr HostBackend kBrowserBackend = {true,          create_window, destroy_window, show_window,
                                         place_window,  present,       screen_size,    now_ms,
                                         collect_input, wait_input,    set_show_state};

}  // namespace

const HostBackend &browser_backend() { return kBrowserBackend; }

}  // namespace platform
