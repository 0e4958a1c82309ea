// Number formatting and reading as the forms use them.
#pragma once

#include <string>

namespace qgf {

// Formats with the pattern "##": the whole number, rounded half away from
// zero; 0 gives the empty text.
std::string FormatHash(double value);
// Reads a number from text: blanks skipped anywhere, reading stops at the
// first character that cannot belong to the number, no digits give 0.
double Val(const std::string& text);

}  // namespace qgf
