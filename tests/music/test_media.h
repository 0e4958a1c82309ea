// Sound files and disc images made at test time.
#pragma once

#include <string>
#include <vector>

namespace qgtest {

// A 16-bit stereo WAV at 44.1 kHz made by sox: each tone (Hz) for `seconds`,
// in turn.
std::string MakeToneWav(const std::string& dir, const std::string& name, const std::vector<double>& tones,
                        double seconds);
// The WAV encoded to MP3 by lame.
std::string MakeMp3(const std::string& dir, const std::string& name, const std::string& wav);
// A BIN/CUE image with one audio track per tone (0 for silence), each as many
// seconds long as `seconds` gives for it (rounded to whole sectors); returns
// the CUE path.
std::string MakeDiscImage(const std::string& dir, const std::vector<double>& tones, const std::vector<double>& seconds);

}  // namespace qgtest
