#include "x11_gl_context.h"

#include <vector>

#include "swap_interval.h"
#include "x11_swap_interval.h"

X11GLContext::~X11GLContext() {
  Destroy();
  if (visual_) XFree(visual_);
}

XVisualInfo* X11GLContext::ChooseVisual(Display* display, const PixelFormatRequest& request) {
  display_ = display;
  if (visual_) {
    XFree(visual_);
    visual_ = nullptr;
  }
  int errorBase, eventBase;
  if (!glXQueryExtension(display, &errorBase, &eventBase)) return nullptr;
  // GLX takes minimums and prefers the deepest colour buffer, which is the
  // closest the server has to a 16-bit request on today's 24-bit screens.
  std::vector<int> attributes;
  if (request.rgba) attributes.push_back(GLX_RGBA);
  if (request.doubleBuffer) attributes.push_back(GLX_DOUBLEBUFFER);
  const int perChannel = request.colourBits >= 15 ? 4 : 1;
  for (int a : {GLX_RED_SIZE, GLX_GREEN_SIZE, GLX_BLUE_SIZE}) {
    attributes.push_back(a);
    attributes.push_back(perChannel);
  }
  attributes.push_back(GLX_DEPTH_SIZE);
  attributes.push_back(request.depthBits);
  attributes.push_back(None);
  visual_ = glXChooseVisual(display, DefaultScreen(display), attributes.data());
  if (!visual_ && request.depthBits > 1) {
    // The closest the server offers: any depth buffer at all.
    attributes[attributes.size() - 2] = 1;
    visual_ = glXChooseVisual(display, DefaultScreen(display), attributes.data());
  }
  return visual_;
}

XVisualInfo* X11GLContext::AdoptVisualOf(Display* display, Window window) {
  display_ = display;
  if (visual_) {
    XFree(visual_);
    visual_ = nullptr;
  }
  int errorBase, eventBase;
  XWindowAttributes attributes;
  if (!glXQueryExtension(display, &errorBase, &eventBase) || !XGetWindowAttributes(display, window, &attributes))
    return nullptr;
  XVisualInfo wanted = {};
  wanted.visualid = XVisualIDFromVisual(attributes.visual);
  int count = 0;
  visual_ = XGetVisualInfo(display, VisualIDMask, &wanted, &count);
  int useGL = 0, rgba = 0;
  if (visual_ && (glXGetConfig(display, visual_, GLX_USE_GL, &useGL) != 0 || !useGL ||
                  glXGetConfig(display, visual_, GLX_RGBA, &rgba) != 0 || !rgba)) {
    XFree(visual_);
    visual_ = nullptr;
  }
  return visual_;
}

bool X11GLContext::Create(Display* display, Window window) {
  if (!visual_ || context_) return context_ != nullptr;
  display_ = display;
  window_ = window;
  context_ = glXCreateContext(display, visual_, nullptr, True);
  if (!context_) return false;
  if (!glXMakeCurrent(display, window, context_)) {
    glXDestroyContext(display, context_);
    context_ = nullptr;
    return false;
  }
  ApplySwapInterval(display, window, RequestedSwapInterval());
  return true;
}

void X11GLContext::Destroy() {
  if (!context_) return;
  glXMakeCurrent(display_, None, nullptr);
  glXDestroyContext(display_, context_);
  context_ = nullptr;
}

void X11GLContext::Swap() {
  if (context_) glXSwapBuffers(display_, window_);
}
