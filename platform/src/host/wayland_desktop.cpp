// wayland_desktop.cpp: asking a Wayland compositor for its globals through libwayland-client,
// opened with dlopen.
//
// Depends on <dlfcn.h> and on libwayland-client's stable core interface (wl_display_connect,
// wl_proxy_marshal_constructor, wl_proxy_add_listener, wl_display_roundtrip and the
// wl_registry_interface description), declared here with opaque types so that Wayland's headers
// are not needed to build. One roundtrip after wl_display.get_registry brings every global the
// compositor has at that moment; a seat announced later (a keyboard plugged in) is not seen.
#include "host/wayland_desktop.h"

#include <dlfcn.h>

#include <cstdint>
#include <cstring>

namespace platform::wayland {

namespace {

struct Display;    // wl_display
struct Proxy;      // wl_proxy
struct Interface;  // wl_interface

// wl_registry's events, in protocol order.
struct RegistryListener {
    void (*global)(void *data, Proxy *registry, std::uint32_t name, const char *interface,
                   std::uint32_t version);
    void (*global_remove)(void *data, Proxy *registry, std::uint32_t name);
};

constexpr std::uint32_t DISPLAY_GET_REGISTRY = 1;  // wl_display's request opcode

struct Client {
    void *library = nullptr;
    Display *(*connect)(const char *name) = nullptr;
    void (*disconnect)(Display *display) = nullptr;
    int (*roundtrip)(Display *display) = nullptr;
    Proxy *(*marshal_constructor)(Proxy *proxy, std::uint32_t opcode, const Interface *interface,
                                  ...) = nullptr;
    int (*add_listener)(Proxy *proxy, void (**implementation)(void), void *data) = nullptr;
    void (*destroy)(Proxy *proxy) = nullptr;
    const Interface *registry_interface = nullptr;

    bool complete() const {
        return connect != nullptr && disconnect != nullptr && roundtrip != nullptr &&
               marshal_constructor != nullptr && add_listener != nullptr && destroy != nullptr &&
               registry_interface != nullptr;
    }
};

template <typename Function>
void find(void *library, const char *name, Function *function) {
    *function = reinterpret_cast<Function>(dlsym(library, name));
}

bool open_client(Client *client) {
    client->library = dlopen("libwayland-client.so.0", RTLD_NOW | RTLD_LOCAL);
    if (client->library == nullptr) return false;
    find(client->library, "wl_display_connect", &client->connect);
    find(client->library, "wl_display_disconnect", &client->disconnect);
    find(client->library, "wl_display_roundtrip", &client->roundtrip);
    find(client->library, "wl_proxy_marshal_constructor", &client->marshal_constructor);
    find(client->library, "wl_proxy_add_listener", &client->add_listener);
    find(client->library, "wl_proxy_destroy", &client->destroy);
    client->registry_interface =
        static_cast<const Interface *>(dlsym(client->library, "wl_registry_interface"));
    return client->complete();
}

void note_global(void *data, Proxy * /*registry*/, std::uint32_t /*name*/, const char *interface,
                 std::uint32_t /*version*/) {
    if (std::strcmp(interface, "wl_seat") == 0) *static_cast<bool *>(data) = true;
}

void ignore_removal(void * /*data*/, Proxy * /*registry*/, std::uint32_t /*name*/) {}

// The globals of a connected compositor: whether one of them is a seat.
Compositor ask(const Client &client, Display *display) {
    Proxy *registry =
        client.marshal_constructor(reinterpret_cast<Proxy *>(display), DISPLAY_GET_REGISTRY,
                                   client.registry_interface, nullptr);
    if (registry == nullptr) return Compositor::unreachable;
    static const RegistryListener listener = {note_global, ignore_removal};
    bool seat = false;
    // libwayland takes a listener as an array of function pointers in event order.
    client.add_listener(
        registry, reinterpret_cast<void (**)(void)>(const_cast<RegistryListener *>(&listener)),
        &seat);
    const bool answered = client.roundtrip(display) >= 0;
    client.destroy(registry);
    if (!answered) return Compositor::unreachable;
    return seat ? Compositor::with_seat : Compositor::without_seat;
}

}  // namespace

Compositor probe_compositor() {
    Client client;
    Compositor result = Compositor::unreachable;
    if (open_client(&client)) {
        if (Display *display = client.connect(nullptr)) {
            result = ask(client, display);
            client.disconnect(display);
        }
    }
    // The library stays loaded: SDL's Wayland driver opens it next, and unloading a library
    // that registered its interfaces is not worth the risk.
    return result;
}

}  // namespace platform::wayland
