// Gives a headless sway's seat a pointer while it runs: without an input
// device its clients get no wl_pointer, and the seat's cursor commands reach
// nobody. A virtual pointer of wlr's protocol (declared by hand up to the one
// request sent) is one. Those commands end no pointer frame, which clients wait
// for: the pointer ends one every 20 ms. Prints "ready" once it exists.
#include <poll.h>
#include <wayland-client.h>

#include <cstdio>
#include <cstring>

namespace {

const wl_interface* kNone[5] = {};
const wl_message kPointerRequests[] = {{"motion", "uff", kNone}, {"motion_absolute", "uuuuu", kNone},
                                       {"button", "uuu", kNone}, {"axis", "uuf", kNone}, {"frame", "", kNone}};
const wl_interface kPointer = {"zwlr_virtual_pointer_v1", 1, 5, kPointerRequests, 0, nullptr};
const wl_interface* kCreateTypes[] = {&wl_seat_interface, &kPointer};
const wl_message kCreate = {"create_virtual_pointer", "?on", kCreateTypes};
const wl_interface kManager = {"zwlr_virtual_pointer_manager_v1", 1, 1, &kCreate, 0, nullptr};
wl_proxy* g_manager = nullptr;
wl_seat* g_seat = nullptr;

void Global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
  if (std::strcmp(interface, kManager.name) == 0)
    g_manager = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &kManager, 1));
  else if (std::strcmp(interface, "wl_seat") == 0 && !g_seat)
    g_seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
}
const wl_registry_listener kListener = {Global, [](void*, wl_registry*, uint32_t) {}};

}  // namespace

int main() {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return 1;
  wl_registry_add_listener(wl_display_get_registry(display), &kListener, nullptr);
  wl_display_roundtrip(display);
  if (!g_manager) return 1;
  wl_proxy* pointer = wl_proxy_marshal_constructor(g_manager, 0, &kPointer, g_seat, nullptr);
  wl_display_roundtrip(display);
  std::printf("ready\n");
  std::fflush(stdout);
  for (pollfd p = {wl_display_get_fd(display), POLLIN, 0};;) {
    wl_proxy_marshal(pointer, 4);  // frame
    if (wl_display_flush(display) < 0 || poll(&p, 1, 20) < 0) return 0;
    if (p.revents && wl_display_dispatch(display) == -1) return 0;
  }
}
