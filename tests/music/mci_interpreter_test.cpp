// The Linux MCI interpreter: codes, texts and replies as the platform gives
// them, over real files, a real (captured) output and generated disc images.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "audio_capture.h"
#include "bgm_player.h"
#include "linux_audio_platform.h"
#include "process.h"
#include "test_media.h"

namespace {

using qg::music::LinuxAudioPlatform;

struct Sent {
  int32_t code;
  std::string reply;
};

Sent Send(LinuxAudioPlatform& p, const std::string& command, uint32_t capacity = 512) {
  std::vector<char> area(capacity + 1, '#');
  int32_t code = p.SendMciString(command, area.data(), capacity);
  return {code, std::string(area.data())};
}

class MciInterpreter : public ::testing::Test {
 protected:
  void SetUp() override {
    qgtest::CaptureOutputTo(dir.path() + "/out.raw");
    unsetenv("QUIVERGLIDE_CDROM");
  }
  qgtest::TempDir dir;
};

// The commands the player sends, where each can fail.
TEST_F(MciInterpreter, AnswersUnopenedDevicesUnplayableFilesAndAMissingDiscWithThePlatformsCodes) {
  std::ofstream(dir.path() + "/broken.mp3") << "this is not an MP3 file at all";
  const std::string d = dir.path();
  const std::pair<std::string, int32_t> cases[] = {
      {"status MP3Play mode", 263},  // never opened
      {"close MP3Play", 263},
      {"play MP3Play from 0", 263},
      {"open \"" + d + "/missing.mp3\" type MPEGVideo Alias MP3Play", 275},
      {"open \"" + d + "/x.mp3 type MPEGVideo", 294},
      {"open \"" + d + "/broken.mp3\" type MPEGVideo Alias MP3Play", 296},
      {"status MP3Play mode", 263},  // failed opens leave nothing behind
      {"open cdaudio", 0},
      {"status cdaudio current track", 262},  // no disc
  };
  setenv("QUIVERGLIDE_CDROM", (d + "/gone.cue").c_str(), 1);
  LinuxAudioPlatform p;
  for (const auto& [command, code] : cases) {
    Sent sent = Send(p, command);
    EXPECT_EQ(sent.code, code) << command;
    EXPECT_EQ(sent.reply, code ? "" : "1") << command;  // an open's reply: its device id
  }
}

TEST_F(MciInterpreter, KeepsAFileDevicesStateUnderItsAlias) {
  std::string wav = qgtest::MakeToneWav(dir.path(), "tone.wav", {440}, 1.0);
  std::string mp3 = qgtest::MakeMp3(dir.path(), "tone.mp3", wav);
  LinuxAudioPlatform p;
  Sent open = Send(p, "open \"" + mp3 + "\" type MPEGVideo Alias MP3Play");
  ASSERT_EQ(open.code, 0);
  EXPECT_EQ(open.reply, "1");
  EXPECT_EQ(Send(p, "status MP3Play mode").reply, "stopped");
  EXPECT_NEAR(std::atoi(Send(p, "status MP3Play length").reply.c_str()), 1000, 30);
  EXPECT_EQ(Send(p, "open \"" + mp3 + "\" type MPEGVideo Alias MP3Play").code, 289);
  EXPECT_EQ(Send(p, "PLAY mp3play").code, 0);
  EXPECT_EQ(Send(p, "status mp3play MODE").reply, "playing");
  EXPECT_EQ(Send(p, "status MP3Play mode", 4).reply, "pla");  // cut to the area
  EXPECT_EQ(Send(p, "play MP3Play from 5000").code, 282);
  EXPECT_EQ(Send(p, "stop MP3Play").code, 0);
  EXPECT_EQ(Send(p, "status MP3Play mode").reply, "stopped");
  EXPECT_EQ(Send(p, "close MP3Play").code, 0);
  EXPECT_EQ(Send(p, "status MP3Play mode").code, 263);
  // A file opened without a type is known by its name and its extension.
  ASSERT_EQ(Send(p, "open " + wav).code, 0);
  EXPECT_EQ(Send(p, "status " + wav + " mode").reply, "stopped");
  EXPECT_EQ(Send(p, "close all").code, 0);
  EXPECT_EQ(Send(p, "status " + wav + " mode").code, 263);
}

// A disc image whose data file is a pipe nobody writes to: opening it hangs
// like a drive that does not answer, until the test lets it go.
TEST_F(MciInterpreter, ADriveThatDoesNotAnswerNeverHoldsUpTheCaller) {
  std::string cue = qgtest::MakeDiscImage(dir.path(), {300, 450}, {0.4, 0.4});
  std::string bin = dir.path() + "/disc.bin";
  ASSERT_EQ(std::remove(bin.c_str()), 0);
  ASSERT_EQ(mkfifo(bin.c_str(), 0600), 0);
  setenv("QUIVERGLIDE_CDROM", cue.c_str(), 1);
  {
    LinuxAudioPlatform p;
    Wobblevista_BGM::SetPlatform(&p);
    auto t0 = std::chrono::steady_clock::now();
    Wobblevista_BGM::CdOpen();
    EXPECT_EQ(Send(p, "status cdaudio mode").reply, "not ready");
    EXPECT_EQ(Send(p, "status cdaudio current track").code, 276);
    Wobblevista_BGM::CdWatch();
    EXPECT_FALSE(Wobblevista_BGM::CdKeepWatching);
    Wobblevista_BGM::CdStop();
    // Each call waits at most a short moment for the drive; generous bound.
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(1500));
    Wobblevista_BGM::SetPlatform(nullptr);
  }
  // Let the stuck open finish (end of file), so its thread can end.
  int fd = open(bin.c_str(), O_WRONLY);
  ASSERT_GE(fd, 0);
  close(fd);
}

}  // namespace
