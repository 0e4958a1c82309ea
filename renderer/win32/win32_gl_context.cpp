#include "win32_gl_context.h"

#include "swap_interval.h"
#include "win32_swap_interval.h"

bool Win32GLContext::TakeDeviceContext(HWND window) {
  if (!dc_ && window) dc_ = GetDC(window);
  return dc_ != nullptr;
}

bool Win32GLContext::SetupPixelFormat(HWND window) {
  if (!TakeDeviceContext(window)) return false;
  PIXELFORMATDESCRIPTOR descriptor{};
  descriptor.nSize = sizeof(descriptor);
  descriptor.nVersion = 1;
  descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | (request_.doubleBuffer ? PFD_DOUBLEBUFFER : 0);
  descriptor.iPixelType = request_.rgba ? PFD_TYPE_RGBA : PFD_TYPE_COLORINDEX;
  descriptor.cColorBits = static_cast<BYTE>(request_.colourBits);
  descriptor.cDepthBits = static_cast<BYTE>(request_.depthBits);
  descriptor.iLayerType = PFD_MAIN_PLANE;
  const int format = ChoosePixelFormat(dc_, &descriptor);
  if (format == 0) return false;
  return SetPixelFormat(dc_, format, &descriptor) != FALSE;
}

bool Win32GLContext::Create(HWND window) {
  if (!TakeDeviceContext(window)) return false;
  context_ = wglCreateContext(dc_);
  if (!context_) return false;
  if (!wglMakeCurrent(dc_, context_)) {
    wglDeleteContext(context_);
    context_ = nullptr;
    return false;
  }
  ApplySwapInterval(dc_, RequestedSwapInterval());
  return true;
}

void Win32GLContext::Destroy(HWND window) {
  if (context_) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context_);
    context_ = nullptr;
  }
  if (dc_) {
    ReleaseDC(window, dc_);
    dc_ = nullptr;
  }
}

void Win32GLContext::Present() {
  if (dc_) SwapBuffers(dc_);
}
