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

// The share of the screen's pixels close to one of the stripes' colours and
// not greyish, 0 to 1: a measure of "the desktop shows here".
double PatternShare(qgtest::XClient& client);

}  // namespace showtest
