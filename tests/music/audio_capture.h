// What the sound output really delivered: SDL's disk driver writes every
// block it would give the sound card to a file, at the card's pace; these
// helpers read that file back and tell silence, tones and gaps apart.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qgtest {

constexpr int kCaptureRate = 44100;

// Sends SDL's output to `path` (raw 16-bit stereo at 44.1 kHz) for the
// platforms created after it; restores nothing, each test sets its own.
void CaptureOutputTo(const std::string& path);
// The left channel of a capture file.
std::vector<int16_t> ReadCaptureLeft(const std::string& path);

struct Segment {
  size_t begin = 0, end = 0;  // in frames
  double Seconds() const { return static_cast<double>(end - begin) / kCaptureRate; }
};
// Stretches of sound, in windows of `window` frames whose peak passes
// `threshold`; silences shorter than `bridge` windows do not split them.
std::vector<Segment> SoundingSegments(const std::vector<int16_t>& s, size_t window = 441, int threshold = 300,
                                      size_t bridge = 2);

// Amplitude of one frequency in s[begin, begin+count) (Goertzel).
double ToneAmplitude(const std::vector<int16_t>& s, size_t begin, size_t count, double freq);
// The index of the strongest of `freqs` there, or -1 for silence.
int ToneAt(const std::vector<int16_t>& s, size_t begin, size_t count, const std::vector<double>& freqs);

}  // namespace qgtest
