// The show's GL context with EGL on the Wayland display: desktop OpenGL (not
// ES), the config closest to the requested format, a default context (the
// compatibility profile the scene's OpenGL 1.1 calls need), drawing into a
// wl_egl_window on the show's surface.
#pragma once

// First: with it, EGL's native types are Wayland's rather than Xlib's.
#include <wayland-egl.h>

#include <EGL/egl.h>

#include "renderer_platform.h"

struct wl_display;
struct wl_surface;

class WaylandGLContext {
 public:
  ~WaylandGLContext() { Release(); }

  // Sets EGL up on the display and picks the config. False when EGL has no
  // OpenGL config for windows.
  bool ChooseConfig(wl_display* display, const PixelFormatRequest& request);
  bool hasConfig() const { return config_ != nullptr; }
  // A width x height window on the surface, and a context drawing into it,
  // made current. EGL's swaps never wait for the compositor (that wait is
  // wayland_frame_pacer.h's).
  bool Create(wl_surface* surface, int width, int height);
  bool exists() const { return context_ != EGL_NO_CONTEXT; }
  // Makes no context current and deletes the context and its window.
  void Destroy();
  void Swap();
  // Destroy, and EGL lets go of the display: before the display is closed.
  void Release();

 private:
  EGLDisplay display_ = EGL_NO_DISPLAY;
  EGLConfig config_ = nullptr;
  EGLContext context_ = EGL_NO_CONTEXT;
  EGLSurface surface_ = EGL_NO_SURFACE;
  wl_egl_window* window_ = nullptr;
};
