// WAV music through the player and the Linux back end, checked in the audio
// that really reached the (captured) sound output. (The MP3 and the CD are
// heard through the show's own watches in tests/show.)
#include <gtest/gtest.h>
#include <sndfile.h>

#include <chrono>
#include <thread>

#include "audio_capture.h"
#include "bgm_player.h"
#include "linux_audio_platform.h"
#include "process.h"
#include "test_media.h"

namespace {

namespace BGM = Wobblevista_BGM;
using std::chrono::milliseconds;

std::vector<int16_t> WavLeft(const std::string& path) {
  SF_INFO info{};
  SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
  std::vector<int16_t> all(static_cast<size_t>(info.frames * info.channels)), left;
  sf_readf_short(f, all.data(), info.frames);
  sf_close(f);
  for (size_t i = 0; i < all.size(); i += static_cast<size_t>(info.channels)) left.push_back(all[i]);
  return left;
}

TEST(FilePlayback, WavLoopsWithoutAGapUntilStopped) {
  qgtest::TempDir dir;
  const std::string capture = dir.path() + "/out.raw";
  qgtest::CaptureOutputTo(capture);
  // A quarter second of 420 Hz: the loop point falls on a whole period.
  BGM::BgmFile = qgtest::MakeToneWav(dir.path(), "loop.wav", {420}, 0.25);
  std::vector<int16_t> once = WavLeft(BGM::BgmFile);
  ASSERT_EQ(once.size(), 11025u);

  {
    qg::music::LinuxAudioPlatform platform;
    BGM::SetPlatform(&platform);
    BGM::WavPlay();
    std::this_thread::sleep_for(milliseconds(1300));
    BGM::WavStop();
    std::this_thread::sleep_for(milliseconds(300));
    BGM::SetPlatform(nullptr);
  }  // the output ends with its platform, so that the capture file is complete
  std::vector<int16_t> heard = qgtest::ReadCaptureLeft(capture);

  std::vector<qgtest::Segment> sound = qgtest::SoundingSegments(heard);
  ASSERT_EQ(sound.size(), 1u) << "one unbroken sound";
  EXPECT_GT(sound[0].Seconds(), 1.0);
  EXPECT_LT(sound[0].Seconds(), 2.5);

  // Sample for sample, the file over and over: any gap or skip at a loop
  // point would throw every later sample out of step.
  size_t first = 0;
  while (first < heard.size() && heard[first] == 0) ++first;
  size_t lead = 0;
  while (lead < once.size() && once[lead] == 0) ++lead;
  ASSERT_GE(first, lead);
  size_t origin = first - lead;
  size_t loops = (sound[0].end - origin) / once.size() - 1;
  ASSERT_GE(loops, 3u);
  size_t wrong = 0;
  for (size_t i = 0; i < loops * once.size(); ++i) {
    if (std::abs(heard[origin + i] - once[i % once.size()]) > 1) ++wrong;
  }
  EXPECT_EQ(wrong, 0u);
  // And silence once stopped.
  for (size_t i = sound[0].end; i < heard.size(); ++i) ASSERT_EQ(heard[i], 0) << i;
}

}  // namespace
