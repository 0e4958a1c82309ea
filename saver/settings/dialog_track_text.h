// How the settings dialog reads its track box when 設定 is pressed.
#pragma once

#include <cstdint>
#include <string>

namespace Wobblevista_P_Track {

// The text is a number when, with blanks around it ignored, it is a decimal
// number with an optional sign, fraction and exponent. Such a number is
// rounded to the nearest integer, a half to the even neighbour ("2.5" gives 2).
// Anything else, the empty entry included, gives track 0. A number outside
// -32768..32767 cannot be kept as a track either and also gives 0, as the
// settings file reader treats such a value.
std::int16_t TrackFromText(const std::string& text);

}  // namespace Wobblevista_P_Track
