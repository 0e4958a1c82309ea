#include "test_media.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace qgtest {

namespace {
void Run(const std::string& command) {
  if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) throw std::runtime_error("failed: " + command);
}
}  // namespace

std::string MakeToneWav(const std::string& dir, const std::string& name, const std::vector<double>& tones,
                        double seconds) {
  std::string path = dir + "/" + name;
  std::string command = "sox -D -n -r 44100 -c 2 -b 16 '" + path + "'";
  for (size_t i = 0; i < tones.size(); ++i) {
    if (i) command += " :";
    command += " synth " + std::to_string(seconds) + " sine " + std::to_string(tones[i]) + " vol 0.5";
  }
  Run(command);
  return path;
}

std::string MakeMp3(const std::string& dir, const std::string& name, const std::string& wav) {
  std::string path = dir + "/" + name;
  Run("lame --quiet -b 128 '" + wav + "' '" + path + "'");
  return path;
}

std::string MakeDiscImage(const std::string& dir, const std::vector<double>& tones, const std::vector<double>& seconds) {
  std::string bin = dir + "/disc.bin", cue = dir + "/disc.cue";
  FILE* b = std::fopen(bin.c_str(), "wb");
  FILE* c = std::fopen(cue.c_str(), "w");
  if (!b || !c) throw std::runtime_error("cannot write the disc image");
  std::fprintf(c, "FILE \"disc.bin\" BINARY\n");
  int start = 0;
  for (size_t t = 0; t < tones.size(); ++t) {
    const int sectors = static_cast<int>(std::lround(seconds[t] * 75));
    std::fprintf(c, "  TRACK %02zu AUDIO\n    INDEX 01 %02d:%02d:%02d\n", t + 1, start / 4500, start / 75 % 60,
                 start % 75);
    for (int i = 0; i < sectors * 588; ++i) {
      int16_t v = static_cast<int16_t>(std::lround(12000 * std::sin(2 * M_PI * tones[t] * i / 44100.0)));
      // CD audio in a BIN file is little-endian, as on this machine.
      int16_t frame[2] = {v, v};
      std::fwrite(frame, sizeof frame, 1, b);
    }
    start += sectors;
  }
  std::fclose(b);
  std::fclose(c);
  return cue;
}

}  // namespace qgtest
