#include "gradient_colour.h"

namespace Wobblevista {

const char kGradientWhite[] = "&HFFFFFF";
const char kGradientLavender[] = "&HC6C5D7";

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<Colour16> ParseGradientColour(std::string_view text) {
  if (text.size() != 8 || text[0] != '&' || (text[1] != 'H' && text[1] != 'h')) return std::nullopt;
  int bytes[3];
  for (int i = 0; i < 3; ++i) {
    int hi = HexDigit(text[2 + 2 * i]), lo = HexDigit(text[3 + 2 * i]);
    if (hi < 0 || lo < 0) return std::nullopt;
    bytes[i] = hi * 16 + lo;
  }
  Colour16 c;
  c.red = static_cast<std::uint16_t>(bytes[0] << 8);
  c.green = static_cast<std::uint16_t>(bytes[1] << 8);
  c.blue = static_cast<std::uint16_t>(bytes[2] << 8);
  return c;
}

GradientEnds GradientEndsFor(bool reversed) {
  const Colour16 white = *ParseGradientColour(kGradientWhite);
  const Colour16 lavender = *ParseGradientColour(kGradientLavender);
  return reversed ? GradientEnds{lavender, white} : GradientEnds{white, lavender};
}

bool NextGradientReversed(std::uint8_t button_state, bool previous) {
  if (button_state == kStateNormal || button_state == kStateSelected) return false;
  if (button_state == kStateHighLight) return true;
  return previous;
}

}  // namespace Wobblevista
