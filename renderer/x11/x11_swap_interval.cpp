#include "x11_swap_interval.h"

#include "swap_interval.h"

bool ApplySwapInterval(Display* display, GLXDrawable drawable, int interval) {
  const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
  if (ExtensionListHas(extensions, "GLX_EXT_swap_control")) {
    using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
    const auto set = reinterpret_cast<SwapIntervalExt>(
        glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT")));
    if (set) {
      set(display, drawable, interval);
      return true;
    }
  }
  if (ExtensionListHas(extensions, "GLX_MESA_swap_control")) {
    using SwapIntervalMesa = int (*)(unsigned);
    const auto set = reinterpret_cast<SwapIntervalMesa>(
        glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA")));
    if (set) return set(static_cast<unsigned>(interval)) == 0;
  }
  return false;
}
