// The show window's OpenGL side on Windows: its device context, the pixel
// format chosen by the system for our request, and a WGL context.
#pragma once

#include <windows.h>

#include "renderer_platform.h"

class Win32GLContext {
 public:
  void Request(const PixelFormatRequest& request) { request_ = request; }
  // Takes the window's device context (once) and sets the closest format.
  bool SetupPixelFormat(HWND window);
  // Creates a context on the device context and makes it current.
  bool Create(HWND window);
  // No context current, the context deleted, the device context released.
  void Destroy(HWND window);
  void Present();

 private:
  bool TakeDeviceContext(HWND window);

  PixelFormatRequest request_;
  HDC dc_ = nullptr;
  HGLRC context_ = nullptr;
};
