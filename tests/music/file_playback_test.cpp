// MP3 and WAV music through the player and the Linux back end, checked in
// the audio that really reached the (captured) sound output.
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
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class FilePlayback : public ::testing::Test {
 protected:
  void SetUp() override {
    capture = dir.path() + "/out.raw";
    qgtest::CaptureOutputTo(capture);
    platform = std::make_unique<qg::music::LinuxAudioPlatform>();
    BGM::SetPlatform(platform.get());
  }
  // Ends the output, so that the capture file is complete.
  std::vector<int16_t> Heard() {
    BGM::SetPlatform(nullptr);
    platform.reset();
    return qgtest::ReadCaptureLeft(capture);
  }
  void TearDown() override { BGM::SetPlatform(nullptr); }

  qgtest::TempDir dir;
  std::string capture;
  std::unique_ptr<qg::music::LinuxAudioPlatform> platform;
};

TEST_F(FilePlayback, Mp3PlaysOnceAndTheWatchRestartsItFromTheBeginning) {
  // 0.7 s: 440 Hz, then 660 Hz, so each play shows where it began; shorter
  // than the watch period, so every restart leaves a gap.
  std::string wav = qgtest::MakeToneWav(dir.path(), "theme.wav", {440, 660}, 0.35);
  BGM::BgmFile = qgtest::MakeMp3(dir.path(), "テーマ 曲.mp3", wav);  // quoted in the open command

  BGM::Mp3Play();
  EXPECT_TRUE(BGM::Mp3IsPlaying());
  // The show's MP3 timer: Mp3Watch every 1000 ms, each time after the 0.7 s
  // play has ended; then playing again, and still so while it plays ("play
  // from 0" after the natural end must not read "stopped").
  const auto start = Clock::now();
  for (int tick = 1; tick <= 3; ++tick) {
    std::this_thread::sleep_until(start + milliseconds(1000 * tick));
    ASSERT_EQ(BGM::MciQuery("status MP3Play mode"), "stopped") << "tick " << tick;
    BGM::Mp3Watch();
    EXPECT_TRUE(BGM::Mp3IsPlaying());
    std::this_thread::sleep_for(milliseconds(300));
    EXPECT_EQ(BGM::MciQuery("status MP3Play mode"), "playing") << "tick " << tick;
  }
  BGM::Mp3Stop();
  EXPECT_EQ(BGM::MciQuery("status MP3Play mode"), "Error:263");

  std::vector<int16_t> heard = Heard();
  std::vector<qgtest::Segment> plays = qgtest::SoundingSegments(heard);
  ASSERT_GE(plays.size(), 2u);
  for (size_t i = 0; i < plays.size(); ++i) {
    const qgtest::Segment& play = plays[i];
    if (i + 1 < plays.size()) {
      EXPECT_NEAR(play.Seconds(), 0.7, 0.08) << "play " << i;  // once through, not looped
      double gap = static_cast<double>(plays[i + 1].begin - play.end) / qgtest::kCaptureRate;
      EXPECT_LT(gap, 1.6) << "restarted within about a second";
    }
    // Every play begins at the beginning: 440 Hz first.
    EXPECT_EQ(qgtest::ToneAt(heard, play.begin + 2205, 8820, {440, 660}), 0) << "play " << i;
    if (play.Seconds() > 0.65) {
      EXPECT_EQ(qgtest::ToneAt(heard, play.begin + 17640, 8820, {440, 660}), 1) << "play " << i;
    }
  }
}

std::vector<int16_t> WavLeft(const std::string& path) {
  SF_INFO info{};
  SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
  std::vector<int16_t> all(static_cast<size_t>(info.frames * info.channels)), left;
  sf_readf_short(f, all.data(), info.frames);
  sf_close(f);
  for (size_t i = 0; i < all.size(); i += static_cast<size_t>(info.channels)) left.push_back(all[i]);
  return left;
}

TEST_F(FilePlayback, WavLoopsWithoutAGapUntilStopped) {
  // A quarter second of 420 Hz: the loop point falls on a whole period.
  BGM::BgmFile = qgtest::MakeToneWav(dir.path(), "loop.wav", {420}, 0.25);
  std::vector<int16_t> once = WavLeft(BGM::BgmFile);
  ASSERT_EQ(once.size(), 11025u);

  BGM::WavPlay();
  std::this_thread::sleep_for(milliseconds(1300));
  BGM::WavStop();
  std::this_thread::sleep_for(milliseconds(300));
  std::vector<int16_t> heard = Heard();

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
