// The cursor display counter on a Wayland desktop. A client can hide the
// pointer only over its own surfaces, which the renderer does for its show;
// the host keeps the count (the run form gives it back at the end) and
// touches nothing of the system.
#pragma once

#include "cursor_counter.h"

namespace qg {
namespace wayland {

// The program's cursor counter.
CursorCounter& HostCursorCounter();

}  // namespace wayland
}  // namespace qg
