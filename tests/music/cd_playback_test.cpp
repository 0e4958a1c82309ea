// The audio CD through the player and the Linux back end, on generated disc
// images whose tracks are distinct tones, so the captured sound tells which
// track was heard when.
#include <gtest/gtest.h>

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

const std::vector<double> kTones = {300, 450, 600, 750};  // tracks 1 to 4
constexpr size_t kWindow = 2205;                          // 50 ms

class CdPlayback : public ::testing::Test {
 protected:
  void SetUp() override {
    capture = dir.path() + "/out.raw";
    qgtest::CaptureOutputTo(capture);
    std::string cue = qgtest::MakeDiscImage(dir.path(), kTones, 0.8);
    setenv("QUIVERGLIDE_CDROM", cue.c_str(), 1);
    platform = std::make_unique<qg::music::LinuxAudioPlatform>();
    BGM::SetPlatform(platform.get());
    BGM::CdKeepWatching = false;
  }
  void TearDown() override {
    BGM::SetPlatform(nullptr);
    unsetenv("QUIVERGLIDE_CDROM");
  }

  // The run form's CD timer: CdWatch every 200 ms while CdKeepWatching;
  // returns the number of ticks.
  int WatchFor(milliseconds total) {
    int ticks = 0;
    auto start = Clock::now();
    auto next = start + milliseconds(200);
    while (Clock::now() - start < total) {
      std::this_thread::sleep_until(next);
      next += milliseconds(200);
      BGM::CdWatch();
      ++ticks;
      if (!BGM::CdKeepWatching) break;
    }
    return ticks;
  }

  std::vector<int16_t> Heard() {
    BGM::SetPlatform(nullptr);
    platform.reset();
    return qgtest::ReadCaptureLeft(capture);
  }

  // Which track was heard, in order, leaving out blips under 100 ms.
  static std::vector<std::pair<int, double>> Tracks(const std::vector<int16_t>& heard) {
    std::vector<std::pair<int, double>> out;
    for (auto [tone, frames] : qgtest::ToneRuns(heard, kWindow, kTones)) {
      double seconds = static_cast<double>(frames) / qgtest::kCaptureRate;
      if (seconds < 0.1) continue;
      int track = tone < 0 ? 0 : tone + 1;
      if (!out.empty() && out.back().first == track) {
        out.back().second += seconds;
      } else {
        out.push_back({track, seconds});
      }
    }
    while (!out.empty() && out.front().first == 0) out.erase(out.begin());
    while (!out.empty() && out.back().first == 0) out.pop_back();
    return out;
  }

  qgtest::TempDir dir;
  std::string capture;
  std::unique_ptr<qg::music::LinuxAudioPlatform> platform;
};

TEST_F(CdPlayback, TheWholeDiscPlaysAndStartsOverWhenItStops) {
  BGM::BgmRepeat = 0;
  BGM::CdOpen();
  int ticks = WatchFor(milliseconds(4300));
  EXPECT_TRUE(BGM::CdKeepWatching);
  EXPECT_GE(ticks, 15);
  BGM::CdStop();
  EXPECT_EQ(BGM::MciQuery("status cdaudio mode"), "Error:263");

  auto tracks = Tracks(Heard());
  ASSERT_GE(tracks.size(), 5u);
  for (int t = 0; t < 4; ++t) {
    EXPECT_EQ(tracks[t].first, t + 1);
    if (t < 3) {
      EXPECT_NEAR(tracks[t].second, 0.8, 0.12) << "track " << t + 1;
    }
  }
  // Then, after at most one tick of silence, track 1 again.
  size_t next = 4;
  if (tracks[next].first == 0) {
    EXPECT_LT(tracks[next].second, 0.45);
    ++next;
  }
  ASSERT_LT(next, tracks.size());
  EXPECT_EQ(tracks[next].first, 1);
}

TEST_F(CdPlayback, TheChosenTrackIsPulledBackWithinOneTick) {
  BGM::BgmRepeat = 3;
  BGM::CdOpen();
  WatchFor(milliseconds(2900));
  EXPECT_TRUE(BGM::CdKeepWatching);
  BGM::CdStop();

  auto tracks = Tracks(Heard());
  ASSERT_FALSE(tracks.empty());
  double three = 0;
  for (auto [track, seconds] : tracks) {
    EXPECT_TRUE(track == 3 || track == 4 || track == 0) << "heard track " << track;
    if (track == 3) {
      three += seconds;
    } else {
      EXPECT_LT(seconds, 0.45) << "track " << track << " ran on";
    }
  }
  EXPECT_EQ(tracks.front().first, 3);
  // Track 3 lasts 0.8 s: over 2 s of it means it was played again and again.
  EXPECT_GT(three, 2.0);
}

}  // namespace
