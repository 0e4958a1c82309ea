// What the preview needs to know of its host window, which belongs to
// another program and may vanish at any moment.
#pragma once

#include <cstdint>

namespace qg::show {

struct WindowSize {
  int32_t width = 0;
  int32_t height = 0;
};

// True when id names an existing window; its size (in pixels) goes to size.
bool ProbeWindow(uint64_t id, WindowSize* size);

}  // namespace qg::show
