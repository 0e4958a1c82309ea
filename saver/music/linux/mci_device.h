// One open MCI device (a sound file or the audio CD) as the interpreter sees it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qg::music {

class MciDevice {
 public:
  virtual ~MciDevice() = default;
  // Carries out `verb` with the words after the device name; 0 and the
  // reply, or an MCI error code.
  virtual int32_t Command(const std::string& verb, const std::vector<std::string>& args, std::string& reply) = 0;
};

// The words of a play, seek or status command: a few keywords, some followed
// by a value. The flags "wait", "notify" and "test" are accepted and ignored:
// nothing here waits or posts notifications.
struct MciArgs {
  std::string from, to;
  bool has_from = false, has_to = false;
  std::vector<std::string> rest;  // anything else, in order
};

// Splits out "from <v>", "to <v>" and the ignored flags; 0 or an MCI code.
int32_t ReadPlayArgs(const std::vector<std::string>& args, MciArgs& out);
// Stop, pause and resume, the same on every device; `T` has Stop(),
// Pause() and Resume().
template <class T>
int32_t Transport(const std::string& verb, T& device) {
  if (verb == "stop") {
    device.Stop();
  } else if (verb == "pause") {
    device.Pause();
  } else if (verb == "resume") {
    device.Resume();
  } else {
    return 274;  // the device does not support the command
  }
  return 0;
}

// Joins words with single blanks, lower-cased, for matching status items.
std::string JoinLower(const std::vector<std::string>& words, size_t first, size_t count);
// The item of a status command: its words lower-cased and joined, without
// the "wait" and "notify" flags; `words` receives the item's words as given.
std::string StatusItem(const std::vector<std::string>& args, std::vector<std::string>* words = nullptr);
// The error of a status item no device knows: a missing item, or an
// unrecognized keyword.
int32_t UnknownStatusItem(const std::string& item);

}  // namespace qg::music
