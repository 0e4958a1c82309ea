// The leave decision of the pointer timer. The platform names what lies under
// the pointer (a window, or on toolkits whose child widgets share one window, a
// widget); anything that is neither the control nor its caption is a leave,
// the host form's own surface included.
#pragma once

#include <cstdint>

namespace Wobblevista {

using SurfaceId = std::uintptr_t;

inline bool PointerHasLeft(SurfaceId under, SurfaceId control, SurfaceId caption, SurfaceId host_form) {
  if (under == host_form) return true;
  return under != control && under != caption;
}

}  // namespace Wobblevista
