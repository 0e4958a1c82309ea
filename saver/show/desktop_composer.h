// One picture of the whole desktop put together from one picture per output,
// as compositors that keep a buffer per output hand them out (Wayland). Each
// buffer may come in its own pixel layout, rotated or mirrored, upside down
// and at its output's scale; all of that is described here in plain numbers,
// so the composition is the same wherever the buffers came from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "desktop_picture.h"

namespace qg::show {

// The 32-bit pixel layouts read, each a little-endian word; an alpha channel,
// where there is one, is ignored (the desktop is opaque).
enum class BufferFormat { kXrgb8888, kXbgr8888, kXrgb2101010, kXbgr2101010 };

// The layout of a pixel format code as Wayland's shared-memory buffers name
// them (0 and 1 for ARGB and XRGB 8888, else the four-character DRM code);
// none for a layout not read.
std::optional<BufferFormat> BufferFormatOfCode(uint32_t code);

struct DesktopRect {
  int32_t x = 0, y = 0, width = 0, height = 0;
};

// One output's picture as its compositor filled it, and that output's place.
struct OutputBuffer {
  std::shared_ptr<uint8_t> pixels;  // height rows of stride bytes
  int32_t width = 0, height = 0;    // in the buffer's own pixels
  size_t stride = 0;
  BufferFormat format = BufferFormat::kXrgb8888;
  bool yInverted = false;  // rows stored bottom first
  // The output's rotation and mirroring, numbered as Wayland's output
  // transforms: 0 to 3 turn by that many quarter turns counter-clockwise,
  // 4 to 7 mirror left to right as well.
  int transform = 0;
  // Where the output shows on the desktop, in logical pixels; the buffer,
  // once turned upright, is scaled to this size.
  DesktopRect place;
};

// The desktop in logical pixels: the smallest rectangle that holds every
// output's place, with the outputs' pictures in it, black where no output is.
// Logical pixels rather than the buffers' own, because only the logical
// layout puts outputs of different scales side by side without gaps or
// overlaps (and it is the size an X11 client of the same session sees); the
// renderer scales the picture to its texture anyway. Empty when there are no
// outputs or one is malformed (no place, a buffer with rows shorter than its
// width, an unknown transform).
DesktopPicture ComposeDesktop(const std::vector<OutputBuffer>& outputs);

// A picture of the whole desktop, upright, as another program saved it (at
// the outputs' logical size or scaled), cut into each output's part; parts of
// a picture whose size does not fit the places go where its scale puts them.
std::vector<OutputBuffer> CutForOutputs(const OutputBuffer& whole, const std::vector<DesktopRect>& places);

}  // namespace qg::show
