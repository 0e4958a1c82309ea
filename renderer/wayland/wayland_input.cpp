#include "wayland_input.h"

#include <cstring>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

namespace {

// Key codes as the window procedure's table reads them: Escape's own, the
// letters as their capitals, and for any other key the low byte of its
// symbol, which is never Escape's.
uintptr_t KeyCodeOf(xkb_keysym_t sym) {
  if (sym == XKB_KEY_Escape) return kKeyEscape;
  if (sym >= XKB_KEY_a && sym <= XKB_KEY_z) return sym - XKB_KEY_a + 'A';
  const uintptr_t low = sym & 0xFF;
  return low == kKeyEscape ? 0xFF : low;
}

intptr_t PackPoint(int x, int y) {
  return static_cast<intptr_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) | static_cast<uint32_t>(x & 0xFFFF));
}

WaylandInput* Of(void* data) { return static_cast<WaylandInput*>(data); }

void ReleaseDevice(wl_pointer* pointer) {
  if (wl_pointer_get_version(pointer) >= WL_POINTER_RELEASE_SINCE_VERSION) wl_pointer_release(pointer);
  else wl_pointer_destroy(pointer);
}
void ReleaseDevice(wl_keyboard* keyboard) {
  if (wl_keyboard_get_version(keyboard) >= WL_KEYBOARD_RELEASE_SINCE_VERSION) wl_keyboard_release(keyboard);
  else wl_keyboard_destroy(keyboard);
}

}  // namespace

void WaylandInput::Attach(wl_seat* seat) {
  static const wl_seat_listener kSeatListener = {OnCapabilities, [](void*, wl_seat*, const char*) {}};
  wl_seat_add_listener(seat, &kSeatListener, this);
}

void WaylandInput::OnCapabilities(void* data, wl_seat* seat, uint32_t capabilities) {
  WaylandInput* self = Of(data);
  if ((capabilities & WL_SEAT_CAPABILITY_POINTER) && !self->pointer_) {
    static const wl_pointer_listener kPointerListener = {
        [](void* data, wl_pointer*, uint32_t serial, wl_surface*, wl_fixed_t x, wl_fixed_t y) {
          Of(data)->Entered(serial, wl_fixed_to_int(x), wl_fixed_to_int(y));
        },
        [](void* data, wl_pointer*, uint32_t, wl_surface*) { Of(data)->pointerInside_ = false; },
        [](void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
          WaylandInput* self = Of(data);
          self->x_ = wl_fixed_to_int(x), self->y_ = wl_fixed_to_int(y);
          self->post_(RendererMessage{kMsgMouseMove, 0, PackPoint(self->x_, self->y_)});
        },
        [](void* data, wl_pointer*, uint32_t, uint32_t, uint32_t, uint32_t state) {
          WaylandInput* self = Of(data);
          const uint32_t message = state == WL_POINTER_BUTTON_STATE_PRESSED ? kMsgButtonDown : kMsgButtonUp;
          self->post_(RendererMessage{message, 0, PackPoint(self->x_, self->y_)});
        },
        [](void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {},
        [](void*, wl_pointer*) {},
        [](void*, wl_pointer*, uint32_t) {},
        [](void*, wl_pointer*, uint32_t, uint32_t) {},
        [](void*, wl_pointer*, uint32_t, int32_t) {},
        nullptr};  // axis_value120: a later seat version than ours
    self->pointer_ = wl_seat_get_pointer(seat);
    wl_pointer_add_listener(self->pointer_, &kPointerListener, self);
  } else if (!(capabilities & WL_SEAT_CAPABILITY_POINTER) && self->pointer_) {
    ReleaseDevice(self->pointer_);
    self->pointer_ = nullptr;
  }
  if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && !self->keyboard_) {
    static const wl_keyboard_listener kKeyboardListener = {
        [](void* data, wl_keyboard*, uint32_t format, int fd, uint32_t size) { Of(data)->Keymap(format, fd, size); },
        [](void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {},
        [](void*, wl_keyboard*, uint32_t, wl_surface*) {},
        [](void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) { Of(data)->Key(key, state); },
        [](void* data, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched, uint32_t locked,
           uint32_t group) { Of(data)->Modifiers(depressed, latched, locked, group); },
        [](void*, wl_keyboard*, int32_t, int32_t) {}};
    self->keyboard_ = wl_seat_get_keyboard(seat);
    wl_keyboard_add_listener(self->keyboard_, &kKeyboardListener, self);
  } else if (!(capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && self->keyboard_) {
    ReleaseDevice(self->keyboard_);
    self->keyboard_ = nullptr;
  }
}

void WaylandInput::Release() {
  if (pointer_) ReleaseDevice(pointer_);
  if (keyboard_) ReleaseDevice(keyboard_);
  if (state_) xkb_state_unref(state_);
  if (keymap_) xkb_keymap_unref(keymap_);
  if (xkb_) xkb_context_unref(xkb_);
  pointer_ = nullptr, keyboard_ = nullptr, state_ = nullptr, keymap_ = nullptr, xkb_ = nullptr;
  pointerInside_ = false;
}

void WaylandInput::SetCursorHidden(bool hidden) {
  cursorHidden_ = hidden;
  if (hidden && pointer_ && pointerInside_) wl_pointer_set_cursor(pointer_, enterSerial_, nullptr, 0, 0);
}

void WaylandInput::Entered(uint32_t serial, int x, int y) {
  pointerInside_ = true;
  enterSerial_ = serial;
  x_ = x, y_ = y;
  if (cursorHidden_) wl_pointer_set_cursor(pointer_, serial, nullptr, 0, 0);
}

void WaylandInput::Keymap(uint32_t format, int fd, uint32_t size) {
  if (format != WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 || size == 0) {
    close(fd);
    return;
  }
  void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  close(fd);
  if (text == MAP_FAILED) return;
  if (!xkb_) xkb_ = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  // The text usually ends in a NUL, which is not part of it.
  const char* keymapText = static_cast<const char*>(text);
  xkb_keymap* keymap = xkb_ ? xkb_keymap_new_from_buffer(xkb_, keymapText, strnlen(keymapText, size),
                                                         XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS)
                            : nullptr;
  munmap(text, size);
  if (!keymap) return;
  if (state_) xkb_state_unref(state_);
  if (keymap_) xkb_keymap_unref(keymap_);
  keymap_ = keymap;
  state_ = xkb_state_new(keymap_);
}

void WaylandInput::Key(uint32_t key, uint32_t state) {
  // Without a keymap, the key's evdev code: 1 is Escape.
  constexpr uint32_t kEvdevEscape = 1, kEvdevToXkb = 8;
  const xkb_keysym_t sym = state_ ? xkb_state_key_get_one_sym(state_, key + kEvdevToXkb)
                                  : (key == kEvdevEscape ? XKB_KEY_Escape : XKB_KEY_NoSymbol);
  const uint32_t message = state == WL_KEYBOARD_KEY_STATE_PRESSED ? kMsgKeyDown : kMsgKeyUp;
  post_(RendererMessage{message, KeyCodeOf(sym), 0});
}

void WaylandInput::Modifiers(uint32_t depressed, uint32_t latched, uint32_t locked, uint32_t group) {
  if (state_) xkb_state_update_mask(state_, depressed, latched, locked, 0, 0, group);
}
