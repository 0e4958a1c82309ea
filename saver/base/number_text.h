// Reading and writing numbers as text, the way the host's settings, command
// line and dialog need it. Platform-free.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qg {

// Reads the leading number of a text: blanks (space, tab, line ends) are
// skipped wherever they stand, an optional sign, digits with an optional
// fraction and exponent ("E" or "D"); reading stops at the first character
// that cannot belong to the number. No digits give 0.
double Val(const std::string& text);

// The preview host window from the command line text after "/P ": a decimal
// number read with Val and rounded half to even to a 32-bit signed integer,
// or the hexadecimal "0x..." form that X11 screensaver hosts pass. 0 when
// there are no digits or the number does not fit 32 bits.
std::uint32_t ReadWindowHandle(const std::string& text);

// A settings number: the empty text is 0; otherwise the whole text (blanks
// around it allowed) must be a decimal number, which is rounded down; a text
// that is not a number or an integer outside -32768..32767 gives nothing.
std::optional<std::int16_t> ReadSettingNumber(const std::string& text);

// Format "##": rounded half away from zero, 0 gives "".
std::string FormatHash(double value);

// Plain decimal text of an integer ("-" for negatives, no blanks).
std::string DecimalText(long long value);

}  // namespace qg
