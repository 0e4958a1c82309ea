// Splitting an MCI command string into words.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qg::music {

struct MciWords {
  int32_t error = 0;               // 0, or the MCI code of a malformed string
  std::vector<std::string> words;  // quotes removed from quoted words
};

// Words are separated by blanks; a word in double quotes may hold blanks.
MciWords SplitMciCommand(const std::string& command);

// Case-insensitive comparison of ASCII words, as MCI keywords and aliases are.
bool SameWord(const std::string& a, const char* b);
std::string LowerWord(std::string word);

}  // namespace qg::music
