#include "wayland_gl_context.h"

#include <EGL/eglext.h>

#include <vector>

namespace {

// Among the configs EGL ranks best first (the deepest colour buffer: the
// closest it has to a 16-bit request on today's 24-bit outputs), the first
// without alpha, so that the compositor never lets the desktop show through.
EGLConfig ClosestConfig(EGLDisplay display, const PixelFormatRequest& request, int depthBits) {
  const EGLint perChannel = request.colourBits >= 15 ? 4 : 1;
  const EGLint attributes[] = {EGL_SURFACE_TYPE, EGL_WINDOW_BIT,
                               EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                               EGL_COLOR_BUFFER_TYPE, request.rgba ? EGL_RGB_BUFFER : EGL_LUMINANCE_BUFFER,
                               EGL_RED_SIZE, perChannel,
                               EGL_GREEN_SIZE, perChannel,
                               EGL_BLUE_SIZE, perChannel,
                               EGL_DEPTH_SIZE, depthBits,
                               EGL_NONE};
  std::vector<EGLConfig> configs(64);
  EGLint count = 0;
  if (!eglChooseConfig(display, attributes, configs.data(), static_cast<EGLint>(configs.size()), &count) || count < 1)
    return nullptr;
  for (EGLint i = 0; i < count; ++i) {
    EGLint alpha = 0;
    if (eglGetConfigAttrib(display, configs[i], EGL_ALPHA_SIZE, &alpha) && alpha == 0) return configs[i];
  }
  return configs[0];
}

}  // namespace

bool WaylandGLContext::ChooseConfig(wl_display* display, const PixelFormatRequest& request) {
  if (display_ == EGL_NO_DISPLAY) {
    display_ = eglGetPlatformDisplay(EGL_PLATFORM_WAYLAND_KHR, display, nullptr);
    if (display_ == EGL_NO_DISPLAY) display_ = eglGetDisplay(display);
    if (display_ == EGL_NO_DISPLAY) return false;
    if (!eglInitialize(display_, nullptr, nullptr)) {
      display_ = EGL_NO_DISPLAY;
      return false;
    }
  }
  // Window surfaces are double-buffered in EGL; only the API is asked for.
  if (!eglBindAPI(EGL_OPENGL_API)) return false;
  config_ = ClosestConfig(display_, request, request.depthBits);
  // The closest EGL offers: any depth buffer at all.
  if (!config_ && request.depthBits > 1) config_ = ClosestConfig(display_, request, 1);
  return config_ != nullptr;
}

bool WaylandGLContext::Create(wl_surface* surface, int width, int height) {
  if (!config_ || !surface || exists()) return exists();
  eglBindAPI(EGL_OPENGL_API);
  window_ = wl_egl_window_create(surface, width, height);
  if (window_) surface_ = eglCreateWindowSurface(display_, config_, window_, nullptr);
  if (surface_ != EGL_NO_SURFACE) context_ = eglCreateContext(display_, config_, EGL_NO_CONTEXT, nullptr);
  if (context_ == EGL_NO_CONTEXT || !eglMakeCurrent(display_, surface_, surface_, context_)) {
    Destroy();
    return false;
  }
  // Mesa's own wait for the compositor's frame event has no time limit.
  eglSwapInterval(display_, 0);
  return true;
}

void WaylandGLContext::Destroy() {
  if (display_ == EGL_NO_DISPLAY) return;
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context_ != EGL_NO_CONTEXT) eglDestroyContext(display_, context_);
  if (surface_ != EGL_NO_SURFACE) eglDestroySurface(display_, surface_);
  if (window_) wl_egl_window_destroy(window_);
  context_ = EGL_NO_CONTEXT;
  surface_ = EGL_NO_SURFACE;
  window_ = nullptr;
}

void WaylandGLContext::Swap() {
  if (exists()) eglSwapBuffers(display_, surface_);
}

void WaylandGLContext::Release() {
  Destroy();
  if (display_ != EGL_NO_DISPLAY) eglTerminate(display_);
  display_ = EGL_NO_DISPLAY;
  config_ = nullptr;
}
