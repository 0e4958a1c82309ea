#include "win32_swap_interval.h"

#include <GL/gl.h>

#include "swap_interval.h"

bool ApplySwapInterval(HDC dc, int interval) {
  // The extension is listed by wglGetExtensionsStringARB/EXT where present, and
  // by older drivers among the GL extensions.
  using ExtensionsArb = const char*(WINAPI*)(HDC);
  using ExtensionsExt = const char*(WINAPI*)();
  const char* list = nullptr;
  if (const auto arb = reinterpret_cast<ExtensionsArb>(wglGetProcAddress("wglGetExtensionsStringARB"))) {
    list = arb(dc);
  } else if (const auto ext = reinterpret_cast<ExtensionsExt>(wglGetProcAddress("wglGetExtensionsStringEXT"))) {
    list = ext();
  }
  const bool offered = ExtensionListHas(list, "WGL_EXT_swap_control") ||
                       ExtensionListHas(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), "WGL_EXT_swap_control");
  if (!offered) return false;
  using SwapInterval = BOOL(WINAPI*)(int);
  const auto set = reinterpret_cast<SwapInterval>(wglGetProcAddress("wglSwapIntervalEXT"));
  return set && set(interval) != FALSE;
}
