#include "mci_device.h"

#include <utility>

#include "mci_codes.h"
#include "mci_words.h"

namespace qg::music {

int32_t ReadPlayArgs(const std::vector<std::string>& args, MciArgs& out) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (SameWord(word, "wait") || SameWord(word, "notify") || SameWord(word, "test")) continue;
    if (SameWord(word, "from") || SameWord(word, "to")) {
      if (i + 1 >= args.size()) return kMciErrMissingParameter;
      bool from = SameWord(word, "from");
      if ((from && out.has_from) || (!from && out.has_to)) return kMciErrDuplicateFlags;
      (from ? out.from : out.to) = args[++i];
      (from ? out.has_from : out.has_to) = true;
      continue;
    }
    out.rest.push_back(word);
  }
  return 0;
}

std::string JoinLower(const std::vector<std::string>& words, size_t first, size_t count) {
  std::string joined;
  for (size_t i = first; i < first + count && i < words.size(); ++i) {
    if (!joined.empty()) joined += ' ';
    joined += LowerWord(words[i]);
  }
  return joined;
}

std::string StatusItem(const std::vector<std::string>& args, std::vector<std::string>* words) {
  std::vector<std::string> kept;
  for (const std::string& w : args) {
    if (!SameWord(w, "wait") && !SameWord(w, "notify")) kept.push_back(w);
  }
  std::string item = JoinLower(kept, 0, kept.size());
  if (words) *words = std::move(kept);
  return item;
}

int32_t UnknownStatusItem(const std::string& item) {
  return item.empty() ? kMciErrMissingParameter : kMciErrUnrecognizedKeyword;
}

}  // namespace qg::music
