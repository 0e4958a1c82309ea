// Small value types shared by the Command control's logic and its platform side.
#pragma once

#include <cstdint>
#include <string>

#include "forms/property_value.h"

namespace Wobblevista {

// The four at-rest/hover/focus states; 0 until Initialize runs.
enum ButtonStateValue : std::uint8_t {
  kStateNone = 0,
  kStateNormal = 1,
  kStateHighLight = 2,
  kStateSelected = 3,
  kStateHighLightSelect = 4,
};

// The six face pictures. HighLight and HighLightSelect hold the same artwork.
enum class Look { Normal, HighLight, Pressed, Selected, HighLightSelect, Disable };
constexpr int kLookCount = 6;

enum class MouseButton { Left, Right, Middle, Other };

// The control's font is the one its property bag keeps.
using qgf::FontSpec;

// A colour channel triple as the gradient call takes it: 16 bits per channel,
// the 8-bit value in the high byte.
struct Colour16 {
  std::uint16_t red = 0, green = 0, blue = 0;
  bool operator==(const Colour16& o) const { return red == o.red && green == o.green && blue == o.blue; }
};

}  // namespace Wobblevista
