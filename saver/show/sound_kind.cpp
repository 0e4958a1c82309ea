#include "sound_kind.h"

namespace qg::show {

SoundKind SoundFileKind(const std::string& path) {
  // Only ASCII letters change case: the endings compared are plain ASCII,
  // and a byte of a multi-byte character must never turn into one of them.
  std::string tail = path.size() > 3 ? path.substr(path.size() - 3) : path;
  for (char& c : tail) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (tail == "WAV") return SoundKind::Wav;
  if (tail == "MP3") return SoundKind::Mp3;
  return SoundKind::Other;
}

}  // namespace qg::show
