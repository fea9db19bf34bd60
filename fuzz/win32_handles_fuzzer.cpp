// win32_handles_fuzzer.cpp: sequences of Win32 calls on the platform layer, given live, null,
// stale (already destroyed) and wrong-kind handles, and odd numbers that were never handles.
//
// The fuzzer keeps a model of what it has made: the live and the destroyed handles of each kind
// (windows, menus, memory device contexts, GDI objects, global blocks) and the window timers.
// Checked after every call:
// - a call given anything but a live handle of its kind fails, and changes nothing;
// - a call on live handles may succeed or fail, but what it reports is what happened: the live
//   object counts of the platform equal the model's after every call;
// - at the end of the input, destroying everything the model holds brings every count back.
// Depends on the platform's public API only (windows.h, the headless host, the object counts).
#include <windows.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "fuzz_support.h"

namespace {

enum Kind { WINDOW, MENU, DC, OBJECT, BLOCK, KIND_COUNT };
enum ObjectType { PEN, BRUSH, FONT, BITMAP };

constexpr int kMaxCallsPerInput = 96;
constexpr char kClassName[] = "FuzzWindow";

using Handle = std::uintptr_t;

struct Model {
    std::vector<Handle> live[KIND_COUNT];
    std::vector<Handle> stale[KIND_COUNT];
    std::map<Handle, ObjectType> object_types;
    std::set<std::pair<Handle, UINT_PTR>> timers;
};

Model model;
PlatformObjectCounts baseline{};

// A handle for a call that wants `kind`, and whether it is a live one of that kind.
struct Pick {
    Handle value;
    bool live;
};

template <typename T>
T as(Handle value) {
    return reinterpret_cast<T>(value);
}

template <typename T>
Handle number_of(T handle) {
    return reinterpret_cast<Handle>(handle);
}

Handle any_of(fuzz::Bytes &bytes, const std::vector<Handle> &handles) {
    return handles[bytes.byte() % handles.size()];
}

Pick pick(fuzz::Bytes &bytes, Kind kind, bool allow_null = true) {
    const std::uint8_t choice = bytes.byte() % 16;
    if (choice < 8 && !model.live[kind].empty()) return {any_of(bytes, model.live[kind]), true};
    if (choice < 10 && !model.stale[kind].empty()) return {any_of(bytes, model.stale[kind]), false};
    if (choice < 13) {
        const Kind other =
            static_cast<Kind>((kind + 1 + bytes.byte() % (KIND_COUNT - 1)) % KIND_COUNT);
        const auto &pool = (bytes.byte() & 1) ? model.live[other] : model.stale[other];
        if (!pool.empty()) return {any_of(bytes, pool), false};
    }
    if (choice == 14) return {static_cast<Handle>(bytes.u32()) | 1, false};  // never a handle
    if (choice == 15) return {static_cast<Handle>(1 + bytes.byte() % 31), false};
    if (allow_null) return {0, false};
    // NULL means something of its own to these calls (the screen, the thread): never a handle.
    return {0x10000 * 16 + 0xF, false};
}

void add_live(Kind kind, Handle handle) {
    FUZZ_CHECK(handle != 0);
    model.live[kind].push_back(handle);
}

void make_stale(Kind kind, Handle handle) {
    auto &live = model.live[kind];
    live.erase(std::remove(live.begin(), live.end(), handle), live.end());
    model.stale[kind].push_back(handle);
    if (kind == OBJECT) model.object_types.erase(handle);
}

int count_objects(ObjectType type) {
    int count = 0;
    for (const auto &entry : model.object_types) count += entry.second == type;
    return count;
}

// The platform's live counts are the model's, over the counts at the start of the run.
void check_counts() {
    const PlatformObjectCounts now = fuzz::live_objects();
    FUZZ_CHECK(now.windows - baseline.windows == static_cast<int>(model.live[WINDOW].size()));
    FUZZ_CHECK(now.menus - baseline.menus == static_cast<int>(model.live[MENU].size()));
    FUZZ_CHECK(now.memory_dcs - baseline.memory_dcs == static_cast<int>(model.live[DC].size()));
    FUZZ_CHECK(now.window_dcs == baseline.window_dcs);
    FUZZ_CHECK(now.global_blocks - baseline.global_blocks ==
               static_cast<int>(model.live[BLOCK].size()));
    FUZZ_CHECK(now.pens - baseline.pens == count_objects(PEN));
    FUZZ_CHECK(now.brushes - baseline.brushes == count_objects(BRUSH));
    FUZZ_CHECK(now.fonts - baseline.fonts == count_objects(FONT));
    FUZZ_CHECK(now.bitmaps - baseline.bitmaps == count_objects(BITMAP));
    FUZZ_CHECK(now.timers - baseline.timers == static_cast<int>(model.timers.size()));
}

// ---- Windows, messages and timers -----------------------------------------------------------

void forget_window(Handle window) {
    make_stale(WINDOW, window);
    std::erase_if(model.timers, [window](const auto &timer) { return timer.first == window; });
}

void create_window(fuzz::Bytes &bytes) {
    const int x = bytes.coordinate(), y = bytes.coordinate();
    const int width = bytes.byte() % 200, height = bytes.byte() % 200;
    const DWORD style = (bytes.byte() & 1) ? WS_OVERLAPPEDWINDOW : WS_POPUP;
    HWND window = CreateWindowExA(0, kClassName, "fuzz", style, x, y, width, height, nullptr,
                                  nullptr, nullptr, nullptr);
    add_live(WINDOW, number_of(window));
}

void destroy_window(fuzz::Bytes &bytes) {
    const Pick window = pick(bytes, WINDOW);
    FUZZ_CHECK(DestroyWindow(as<HWND>(window.value)) == window.live);
    if (window.live) forget_window(window.value);
}

// Calls that only look at or touch a window; each fails for anything but a live one.
void use_window(fuzz::Bytes &bytes) {
    const Pick window = pick(bytes, WINDOW, false);
    HWND handle = as<HWND>(window.value);
    RECT rect{};
    char title[8];
    switch (bytes.byte() % 6) {
        case 0: FUZZ_CHECK(IsWindow(handle) == window.live); break;
        case 1: FUZZ_CHECK(GetClientRect(handle, &rect) == window.live); break;
        case 2: FUZZ_CHECK((GetWindowTextA(handle, title, sizeof title) > 0) == window.live); break;
        case 3:
            if (!window.live)
                FUZZ_CHECK(!ShowWindow(handle, (bytes.byte() & 1) ? SW_SHOW : SW_HIDE));
            if (window.live) ShowWindow(handle, (bytes.byte() & 1) ? SW_SHOW : SW_HIDE);
            break;
        case 4: FUZZ_CHECK(SendMessageA(handle, WM_USER + bytes.byte(), 1, 2) == 0); break;
        default:
            if (!window.live && handle != nullptr)
                FUZZ_CHECK(!InvalidateRect(handle, nullptr, TRUE));
            break;
    }
}

// A message posted to a live window or to the thread arrives; to anything else it is refused.
void post_and_drain(fuzz::Bytes &bytes) {
    const Pick window = pick(bytes, WINDOW);
    const BOOL posted = PostMessageA(as<HWND>(window.value), WM_USER + bytes.byte(), 3, 4);
    FUZZ_CHECK(posted == (window.live || window.value == 0));
    MSG message;
    for (int guard = 0; guard < 64 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++guard) {
        if (message.message != WM_QUIT) DispatchMessageA(&message);
    }
}

void window_dc(fuzz::Bytes &bytes) {
    const Pick window = pick(bytes, WINDOW, false);
    HDC dc = GetDC(as<HWND>(window.value));
    FUZZ_CHECK((dc != nullptr) == window.live);
    if (dc == nullptr) return;
    Rectangle(dc, bytes.coordinate(), bytes.coordinate(), bytes.coordinate(), bytes.coordinate());
    FUZZ_CHECK(ReleaseDC(as<HWND>(window.value), dc) == 1);
}

void timer(fuzz::Bytes &bytes) {
    const Pick window = pick(bytes, WINDOW, false);
    const UINT_PTR id = 1 + bytes.byte() % 4;
    if (bytes.byte() & 1) {
        const UINT_PTR set = SetTimer(as<HWND>(window.value), id, 1 + bytes.byte(), nullptr);
        FUZZ_CHECK((set != 0) == window.live);
        if (window.live) model.timers.insert({window.value, id});
        return;
    }
    const bool known = model.timers.count({window.value, id}) != 0;
    FUZZ_CHECK(KillTimer(as<HWND>(window.value), id) == known);
    model.timers.erase({window.value, id});
}

// ---- Menus ----------------------------------------------------------------------------------

// Destroying a menu destroys its popups: every menu the model holds is checked again.
void forget_destroyed_menus() {
    const std::vector<Handle> held = model.live[MENU];
    for (Handle menu : held) {
        if (GetMenuItemCount(as<HMENU>(menu)) < 0) make_stale(MENU, menu);
    }
}

void create_menu(fuzz::Bytes &bytes) {
    add_live(MENU, number_of((bytes.byte() & 1) ? CreateMenu() : CreatePopupMenu()));
}

void destroy_menu(fuzz::Bytes &bytes) {
    const Pick menu = pick(bytes, MENU);
    FUZZ_CHECK(DestroyMenu(as<HMENU>(menu.value)) == menu.live);
    if (menu.live) {
        make_stale(MENU, menu.value);
        forget_destroyed_menus();
    }
}

void append_menu(fuzz::Bytes &bytes) {
    const Pick menu = pick(bytes, MENU);
    if (bytes.byte() & 1) {
        const Pick popup = pick(bytes, MENU);
        const BOOL added = AppendMenuA(as<HMENU>(menu.value), MF_POPUP, popup.value, "&Pop");
        if (!menu.live || !popup.live) FUZZ_CHECK(!added);
        return;
    }
    const UINT flags = (bytes.byte() & 1) ? MF_CHECKED : MF_GRAYED;
    const BOOL added = AppendMenuA(as<HMENU>(menu.value), flags, 1 + bytes.byte(), "&Item\tCtrl+I");
    FUZZ_CHECK(added == menu.live);
}

// Only a menu that is not live is ever attached here: a live one would go with its window.
void set_menu(fuzz::Bytes &bytes) {
    const Pick window = pick(bytes, WINDOW, false);
    Pick menu = pick(bytes, MENU);
    if (menu.live) menu = {0, false};
    const bool expected = window.live && menu.value == 0;
    FUZZ_CHECK(SetMenu(as<HWND>(window.value), as<HMENU>(menu.value)) == expected);
}

void check_menu_item(fuzz::Bytes &bytes) {
    const Pick menu = pick(bytes, MENU);
    const DWORD previous = CheckMenuItem(as<HMENU>(menu.value), 1 + bytes.byte(), MF_CHECKED);
    if (!menu.live) FUZZ_CHECK(previous == static_cast<DWORD>(-1));
}

// ---- Device contexts and GDI objects --------------------------------------------------------

void create_dc(fuzz::Bytes &bytes) {
    const Pick reference = pick(bytes, DC);
    HDC dc = CreateCompatibleDC(as<HDC>(reference.value));
    FUZZ_CHECK((dc != nullptr) == (reference.live || reference.value == 0));
    if (dc != nullptr) add_live(DC, number_of(dc));
}

void delete_dc(fuzz::Bytes &bytes) {
    const Pick dc = pick(bytes, DC);
    FUZZ_CHECK(DeleteDC(as<HDC>(dc.value)) == dc.live);
    if (dc.live) make_stale(DC, dc.value);
}

void add_object(HGDIOBJ object, ObjectType type) {
    add_live(OBJECT, number_of(object));
    model.object_types[number_of(object)] = type;
}

void create_object(fuzz::Bytes &bytes) {
    static constexpr const char *kFaces[] = {"Arial", "Courier New", "", "No Such Face"};
    const COLORREF color = bytes.u32();
    switch (bytes.byte() % 4) {
        case 0: add_object(CreatePen(bytes.byte() % 7, bytes.size_value(), color), PEN); break;
        case 1: add_object(CreateSolidBrush(color), BRUSH); break;
        case 2:
            add_object(CreateFontA(bytes.size_value(), 0, 0, 0, bytes.byte() * 4, 0, 0, 0, 0, 0, 0,
                                   bytes.byte() % 5, bytes.byte() % 3, kFaces[bytes.byte() % 4]),
                       FONT);
            break;
        default: {
            const Pick dc = pick(bytes, DC);
            const int width = bytes.byte() % 48, height = bytes.byte() % 48;
            HBITMAP bitmap = CreateCompatibleBitmap(as<HDC>(dc.value), width, height);
            if (!dc.live) FUZZ_CHECK(bitmap == nullptr);
            // A bitmap of no pixels is the shared stock one, which is not counted.
            if (bitmap != nullptr && width > 0 && height > 0) add_object(bitmap, BITMAP);
            break;
        }
    }
}

void select_object(fuzz::Bytes &bytes) {
    const Pick dc = pick(bytes, DC);
    const Pick object = pick(bytes, OBJECT);
    HGDIOBJ previous = SelectObject(as<HDC>(dc.value), as<HGDIOBJ>(object.value));
    if (!dc.live || !object.live) FUZZ_CHECK(previous == nullptr);
}

void delete_object(fuzz::Bytes &bytes) {
    if (bytes.byte() % 8 == 0) {  // a stock object: "deleted" without effect
        FUZZ_CHECK(DeleteObject(GetStockObject(bytes.byte() % 6)));
        return;
    }
    const Pick object = pick(bytes, OBJECT);
    const BOOL deleted = DeleteObject(as<HGDIOBJ>(object.value));
    if (!object.live) FUZZ_CHECK(!deleted);
    if (deleted) make_stale(OBJECT, object.value);  // a selected object stays alive
}

// Drawing calls on a memory DC: each fails for anything but a live DC.
void draw(fuzz::Bytes &bytes) {
    const Pick dc = pick(bytes, DC);
    HDC handle = as<HDC>(dc.value);
    const int a = bytes.coordinate(), b = bytes.coordinate();
    const int c = bytes.coordinate(), d = bytes.coordinate();
    BOOL done = FALSE;
    switch (bytes.byte() % 7) {
        case 0: done = Rectangle(handle, a, b, c, d); break;
        case 1: done = Ellipse(handle, a, b, c, d); break;
        case 2: done = MoveToEx(handle, a, b, nullptr) && LineTo(handle, c, d); break;
        case 3: {
            const POINT points[4] = {{a, b}, {c, d}, {a, d}, {c, b}};
            done = Polygon(handle, points, 3 + bytes.byte() % 2);
            break;
        }
        case 4: done = TextOutA(handle, a, b, "fuzz", bytes.byte() % 5); break;
        case 5: {
            const RECT rect = {a, b, c, d};
            const Pick brush = pick(bytes, OBJECT);
            done = FillRect(handle, &rect, as<HBRUSH>(brush.value)) != 0;
            break;
        }
        default: {
            const Pick source = pick(bytes, DC);
            done = BitBlt(handle, a, b, bytes.byte(), bytes.byte(), as<HDC>(source.value), c, d,
                          SRCCOPY);
            if (!source.live) FUZZ_CHECK(!done);
            break;
        }
    }
    if (!dc.live) FUZZ_CHECK(!done);
}

// ---- Global memory ----------------------------------------------------------------------------

void global_alloc(fuzz::Bytes &bytes) {
    const UINT flags = (bytes.byte() & 1) ? GMEM_MOVEABLE : GMEM_FIXED;
    // Mostly small blocks; sometimes one past the platform's limit of 1 GiB, which is refused.
    const bool too_big = (bytes.byte() & 7) == 0;
    const SIZE_T size = too_big ? (SIZE_T{1} << 30) + 1 + bytes.byte() : bytes.byte();
    HGLOBAL block = GlobalAlloc(flags, size);
    FUZZ_CHECK((block == nullptr) == too_big);
    if (block != nullptr) add_live(BLOCK, number_of(block));
}

void global_use(fuzz::Bytes &bytes) {
    const Pick block = pick(bytes, BLOCK);
    HGLOBAL handle = as<HGLOBAL>(block.value);
    switch (bytes.byte() % 3) {
        case 0:
            if (void *bytes_of = GlobalLock(handle)) {
                FUZZ_CHECK(block.live);
                std::memset(bytes_of, 0x5A, GlobalSize(handle));
                GlobalUnlock(handle);
            }
            break;
        case 1:
            if (!block.live) FUZZ_CHECK(GlobalSize(handle) == 0);
            break;
        default:
            // Freeing nothing (NULL) succeeds; anything else not live is handed back.
            FUZZ_CHECK((GlobalFree(handle) == nullptr) == (block.live || handle == nullptr));
            if (block.live) make_stale(BLOCK, block.value);
            break;
    }
}

// ---- One input --------------------------------------------------------------------------------

void one_call(fuzz::Bytes &bytes) {
    switch (bytes.byte() % 20) {
        case 0: create_window(bytes); break;
        case 1: destroy_window(bytes); break;
        case 2: use_window(bytes); break;
        case 3: post_and_drain(bytes); break;
        case 4: window_dc(bytes); break;
        case 5: timer(bytes); break;
        case 6: create_menu(bytes); break;
        case 7: destroy_menu(bytes); break;
        case 8: append_menu(bytes); break;
        case 9: set_menu(bytes); break;
        case 10: check_menu_item(bytes); break;
        case 11: create_dc(bytes); break;
        case 12: delete_dc(bytes); break;
        case 13: create_object(bytes); break;
        case 14: select_object(bytes); break;
        case 15: delete_object(bytes); break;
        case 16: draw(bytes); break;
        case 17: global_alloc(bytes); break;
        default: global_use(bytes); break;
    }
}

// Everything the input made, given back: DCs first, so no object is still selected.
void destroy_everything() {
    for (Handle dc : model.live[DC]) FUZZ_CHECK(DeleteDC(as<HDC>(dc)));
    for (Handle object : model.live[OBJECT]) FUZZ_CHECK(DeleteObject(as<HGDIOBJ>(object)));
    for (Handle window : model.live[WINDOW]) FUZZ_CHECK(DestroyWindow(as<HWND>(window)));
    for (Handle menu : model.live[MENU]) DestroyMenu(as<HMENU>(menu));  // popups may be gone
    for (Handle block : model.live[BLOCK]) FUZZ_CHECK(GlobalFree(as<HGLOBAL>(block)) == nullptr);
    model = Model{};
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    headless_host_use();
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.lpszClassName = kClassName;
    RegisterClassA(&window_class);
    GetStockObject(WHITE_BRUSH);  // the stock objects exist before the first count
    baseline = fuzz::live_objects();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    fuzz::Bytes bytes(data, size);
    for (int call = 0; call < kMaxCallsPerInput && !bytes.empty(); ++call) {
        one_call(bytes);
        check_counts();
    }
    destroy_everything();
    check_counts();
    return 0;
}
