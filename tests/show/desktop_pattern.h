// A known desktop for the show's tests: the root window's background is set
// to a picture whose every pixel is known, so a snapshot can be checked pixel
// for pixel and the renderer's frames can be told apart from white sheets.
#pragma once

#include <cstdint>

// Xlib's own name for a connection, without its macros.
typedef struct _XDisplay Display;
namespace qgtest {
class XClient;
}

namespace showtest {

struct Rgb {
  uint8_t r, g, b;
};

// Saturated stripes, eight across, with the low bits varying by position.
Rgb PatternPixel(int x, int y, int width);

// Sets the root window to the pattern; true on success.
bool PaintRootPattern(Display* dpy);

// Counts pixels of the screen close to one of the stripes'
// colours and not greyish: a measure of "the desktop shows here".
struct ScreenStats {
  int width = 0, height = 0;
  long patternLike = 0;  // pixels near a stripe colour
  long total = 0;
};
ScreenStats ReadScreenStats(qgtest::XClient& client);

}  // namespace showtest
