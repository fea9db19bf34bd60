// A tiny program on the installed package: starts it without a screen, draws, clicks the centre
// of the graphics window and expects the click back as a mouse event at (0, 0).
#include <headless_host.h>
#include <vorbl.h>

#include <cstdio>

static void click_centre(void *) {
    HWND graphics = FindWindowA("DrawWndClass", nullptr);
    RECT client{};
    GetClientRect(graphics, &client);
    headless_host_click(graphics, client.right / 2, client.bottom / 2);
}

int main() {
    headless_host_use();
    VORBL_startup(GetModuleHandleA(nullptr), nullptr, const_cast<char *>(""), SW_SHOWNORMAL);
    VORBL_set_logging(0);
    VORBL_clear_canvas();
    VORBL_draw_circle(RED, 0, 0, 20);
    headless_host_after(10, click_centre, nullptr);
    int x = -1, y = -1;
    unsigned char key = 1;
    const int kind = VORBL_wait_event(&x, &y, &key);
    VORBL_shutdown();
    if (kind != EVENT_MOUSE || x != 0 || y != 0) {
        std::printf("expected a click at (0, 0), got kind %d at (%d, %d)\n", kind, x, y);
        return 1;
    }
    std::printf("installed package works: click at (%d, %d)\n", x, y);
    return 0;
}
