// The face gradient's two colours and the rule that picks its direction.
#pragma once

#include <optional>
#include <string_view>

#include "command_types.h"

namespace Wobblevista {

// The gradient colours are written as "&HRRGGBB" texts: three hexadecimal pairs
// in red, green, blue order (unlike FontColour's &HBBGGRR). Nothing for a
// malformed text.
std::optional<Colour16> ParseGradientColour(std::string_view text);

extern const char kGradientWhite[];     // "&HFFFFFF"
extern const char kGradientLavender[];  // "&HC6C5D7"

// The colours of the top and bottom edges for a direction.
struct GradientEnds {
  Colour16 top, bottom;
};
GradientEnds GradientEndsFor(bool reversed);

// DrawFace's first step: states 1 and 3 paint white on top, state 2 lavender
// on top, anything else (4, or 0 before Initialize) keeps the last direction.
bool NextGradientReversed(std::uint8_t button_state, bool previous);

}  // namespace Wobblevista
