// Which player a sound file goes to, by the upper-cased last three
// characters of its name: "WAV" or "MP3"; anything else plays nothing.
#pragma once

#include <string>

namespace qg::show {

enum class SoundKind { Wav, Mp3, Other };

SoundKind SoundFileKind(const std::string& path);

}  // namespace qg::show
