#include "audio_capture.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qgtest {

void CaptureOutputTo(const std::string& path) {
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
}

std::vector<int16_t> ReadCaptureLeft(const std::string& path) {
  std::vector<int16_t> left;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return left;
  int16_t frame[2];
  while (std::fread(frame, sizeof frame, 1, f) == 1) left.push_back(frame[0]);
  std::fclose(f);
  return left;
}

std::vector<Segment> SoundingSegments(const std::vector<int16_t>& s, size_t window, int threshold, size_t bridge) {
  std::vector<Segment> out;
  size_t quiet = 0;
  bool open = false;
  for (size_t w = 0; w + window <= s.size(); w += window) {
    int peak = 0;
    for (size_t i = w; i < w + window; ++i) peak = std::max(peak, std::abs(static_cast<int>(s[i])));
    if (peak >= threshold) {
      if (!open || quiet > bridge) {
        out.push_back({w, w + window});
      } else {
        out.back().end = w + window;
      }
      open = true;
      quiet = 0;
    } else {
      ++quiet;
    }
  }
  return out;
}

double ToneAmplitude(const std::vector<int16_t>& s, size_t begin, size_t count, double freq) {
  if (begin + count > s.size() || count == 0) return 0;
  double k = 2 * std::cos(2 * M_PI * freq / kCaptureRate), s1 = 0, s2 = 0;
  for (size_t i = begin; i < begin + count; ++i) {
    double s0 = s[i] + k * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  double power = s1 * s1 + s2 * s2 - k * s1 * s2;
  return 2 * std::sqrt(std::max(power, 0.0)) / static_cast<double>(count);
}

int ToneAt(const std::vector<int16_t>& s, size_t begin, size_t count, const std::vector<double>& freqs) {
  int best = -1;
  double best_amp = 1000;  // quieter than this counts as silence
  for (size_t i = 0; i < freqs.size(); ++i) {
    double amp = ToneAmplitude(s, begin, count, freqs[i]);
    if (amp > best_amp) {
      best_amp = amp;
      best = static_cast<int>(i);
    }
  }
  return best;
}

}  // namespace qgtest
