#include "mci_words.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "mci_codes.h"

namespace qg::music {

MciWords SplitMciCommand(const std::string& command) {
  MciWords out;
  size_t i = 0, n = command.size();
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (i < n) {
    while (i < n && blank(command[i])) ++i;
    if (i >= n) break;
    if (command[i] == '"') {
      size_t close = command.find('"', i + 1);
      if (close == std::string::npos) {
        out.error = kMciErrNoClosingQuote;
        return out;
      }
      out.words.push_back(command.substr(i + 1, close - i - 1));
      i = close + 1;
      if (i < n && !blank(command[i])) {
        out.error = kMciErrExtraCharacters;
        return out;
      }
    } else {
      size_t start = i;
      while (i < n && !blank(command[i])) ++i;
      out.words.push_back(command.substr(start, i - start));
    }
  }
  return out;
}

std::string LowerWord(std::string word) {
  std::transform(word.begin(), word.end(), word.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return word;
}

bool SameWord(const std::string& a, const char* b) {
  size_t len = std::strlen(b);
  if (a.size() != len) return false;
  for (size_t i = 0; i < len; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace qg::music
