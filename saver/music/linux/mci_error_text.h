// The texts of MCI error codes.
#pragma once

#include <cstdint>

namespace qg::music {

// The English text of an MCI error code, or null when the code has none.
const char* MciErrorText(int32_t code);
// Copies the text into a reply area of `capacity` characters, cut to fit.
bool CopyMciErrorText(int32_t code, char* text, uint32_t capacity);

}  // namespace qg::music
