// The seat's pointer and keyboard as the show's messages: key-down and key-up
// with their key codes (Escape's as the window procedure knows it, read
// through the keyboard's own keymap), pointer movement and buttons. The
// pointer has no image over our surfaces while the cursor is hidden.
#pragma once

#include <cstdint>
#include <functional>

#include "renderer_platform.h"

struct wl_keyboard;
struct wl_pointer;
struct wl_seat;
struct xkb_context;
struct xkb_keymap;
struct xkb_state;

class WaylandInput {
 public:
  explicit WaylandInput(std::function<void(const RendererMessage&)> post) : post_(std::move(post)) {}
  ~WaylandInput() { Release(); }
  WaylandInput(const WaylandInput&) = delete;
  WaylandInput& operator=(const WaylandInput&) = delete;

  // Listens to the seat, from before its first event.
  void Attach(wl_seat* seat);
  // Lets go of the pointer and keyboard (the seat itself is the connection's).
  void Release();
  // Takes the pointer's image away at once where it is over our surfaces, and
  // on every entry into one of them; false leaves the next entry alone.
  void SetCursorHidden(bool hidden);

 private:
  static void OnCapabilities(void* data, wl_seat* seat, uint32_t capabilities);
  void Keymap(uint32_t format, int fd, uint32_t size);
  void Key(uint32_t key, uint32_t state);
  void Modifiers(uint32_t depressed, uint32_t latched, uint32_t locked, uint32_t group);
  void Entered(uint32_t serial, int x, int y);

  std::function<void(const RendererMessage&)> post_;
  wl_pointer* pointer_ = nullptr;
  wl_keyboard* keyboard_ = nullptr;
  xkb_context* xkb_ = nullptr;
  xkb_keymap* keymap_ = nullptr;
  xkb_state* state_ = nullptr;
  bool cursorHidden_ = false;
  bool pointerInside_ = false;
  uint32_t enterSerial_ = 0;
  int x_ = 0, y_ = 0;
};
