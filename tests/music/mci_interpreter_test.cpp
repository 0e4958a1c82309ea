// The Linux MCI interpreter: codes, texts and replies as the platform gives
// them, over real files, a real (captured) output and generated disc images.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "audio_capture.h"
#include "bgm_player.h"
#include "cd_time.h"
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

TEST_F(MciInterpreter, AnswersUnknownCommandsDevicesAndFilesWithThePlatformsCodes) {
  LinuxAudioPlatform p;
  EXPECT_EQ(Send(p, "status MP3Play mode").code, 263);  // never opened
  EXPECT_EQ(Send(p, "status MP3Play mode").reply, "");
  EXPECT_EQ(Send(p, "close MP3Play").code, 263);
  EXPECT_EQ(Send(p, "play MP3Play from 0").code, 263);
  EXPECT_EQ(Send(p, "bogus command").code, 261);
  EXPECT_EQ(Send(p, "").code, 267);
  EXPECT_EQ(Send(p, "play").code, 292);
  EXPECT_EQ(Send(p, "open \"" + dir.path() + "/missing.mp3\" type MPEGVideo Alias MP3Play").code, 275);
  EXPECT_EQ(Send(p, "open \"" + dir.path() + "/x.mp3 type MPEGVideo").code, 294);
  std::ofstream(dir.path() + "/broken.mp3") << "this is not an MP3 file at all";
  EXPECT_EQ(Send(p, "open \"" + dir.path() + "/broken.mp3\" type MPEGVideo Alias MP3Play").code, 296);
  EXPECT_EQ(Send(p, "open \"" + dir.path() + "/song.mid\"").code, 281);
  EXPECT_EQ(Send(p, "status MP3Play mode").code, 263);  // failed opens leave nothing behind
}

TEST_F(MciInterpreter, ErrorTextsAreThePlatformsAndCutToTheArea) {
  LinuxAudioPlatform p;
  char text[256];
  ASSERT_TRUE(p.GetMciErrorText(263, text, sizeof text));
  EXPECT_STREQ(text, "The specified device is not open or is not recognized by MCI.");
  ASSERT_TRUE(p.GetMciErrorText(275, text, sizeof text));
  EXPECT_STREQ(text, "Cannot find the specified file. Make sure the path and filename are correct.");
  ASSERT_TRUE(p.GetMciErrorText(263, text, 8));
  EXPECT_STREQ(text, "The spe");
  EXPECT_FALSE(p.GetMciErrorText(350, text, sizeof text));
  EXPECT_STREQ(text, "");
  std::strcpy(text, "kept");
  EXPECT_FALSE(p.GetMciErrorText(0, text, sizeof text));
  EXPECT_STREQ(text, "kept");

  // Through the player: the text for MciSend, only the code for MciQuery.
  Wobblevista_BGM::SetPlatform(&p);
  std::string reply;
  EXPECT_EQ(Wobblevista_BGM::MciSend("close MP3Play", reply), 263);
  EXPECT_EQ(reply, "The specified device is not open or is not recognized by MCI.");
  EXPECT_EQ(Wobblevista_BGM::MciQuery("close MP3Play"), "Error:263");
  EXPECT_EQ(Wobblevista_BGM::MciQuery("frobnicate MP3Play"), "Error:261");
  Wobblevista_BGM::SetPlatform(nullptr);
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
  EXPECT_EQ(Send(p, "pause MP3Play").code, 0);
  EXPECT_EQ(Send(p, "status MP3Play mode").reply, "paused");
  EXPECT_EQ(Send(p, "resume MP3Play").code, 0);
  EXPECT_EQ(Send(p, "status MP3Play mode").reply, "playing");
  EXPECT_EQ(Send(p, "play MP3Play from 5000").code, 282);
  EXPECT_EQ(Send(p, "play MP3Play sideways").code, 259);
  EXPECT_EQ(Send(p, "record MP3Play").code, 274);
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

TEST_F(MciInterpreter, WithoutASoundDeviceNothingPlaysAndNothingBreaks) {
  std::string wav = qgtest::MakeToneWav(dir.path(), "tone.wav", {440}, 0.5);
  std::string mp3 = qgtest::MakeMp3(dir.path(), "tone.mp3", wav);
  std::string cue = qgtest::MakeDiscImage(dir.path(), {300, 450}, 0.5);
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  setenv("QUIVERGLIDE_CDROM", cue.c_str(), 1);
  LinuxAudioPlatform p;
  EXPECT_EQ(p.WaveOutDeviceCount(), 0);
  EXPECT_NE(Send(p, "open \"" + mp3 + "\" type MPEGVideo Alias MP3Play").code, 0);
  EXPECT_FALSE(p.PlaySound(wav.c_str(), Wobblevista_BGM::kSndAsync | Wobblevista_BGM::kSndLoop));

  Wobblevista_BGM::SetPlatform(&p);
  Wobblevista_BGM::BgmFile = mp3;
  Wobblevista_BGM::Mp3Play();
  Wobblevista_BGM::Mp3Watch();
  EXPECT_FALSE(Wobblevista_BGM::Mp3IsPlaying());
  Wobblevista_BGM::Mp3Stop();
  Wobblevista_BGM::BgmFile = wav;
  Wobblevista_BGM::WavPlay();
  Wobblevista_BGM::WavStop();
  Wobblevista_BGM::CdOpen();
  Wobblevista_BGM::CdWatch();  // the disc is there, but it cannot be heard
  EXPECT_EQ(Wobblevista_BGM::MciQuery("status cdaudio mode"), "stopped");
  Wobblevista_BGM::CdStop();
  Wobblevista_BGM::SetPlatform(nullptr);
}

TEST_F(MciInterpreter, DescribesADiscImageInTmsf) {
  std::string cue = qgtest::MakeDiscImage(dir.path(), {300, 450, 600, 750}, 0.4);
  setenv("QUIVERGLIDE_CDROM", cue.c_str(), 1);
  LinuxAudioPlatform p;
  ASSERT_EQ(Send(p, "open cdaudio").code, 0);
  EXPECT_EQ(Send(p, "open cdaudio").code, 265);
  EXPECT_EQ(Send(p, "status cdaudio position track 2").reply, "00:02:30");  // MSF until told otherwise
  ASSERT_EQ(Send(p, "set cdaudio time format tmsf").code, 0);
  EXPECT_EQ(Send(p, "status cdaudio number of tracks").reply, "4");
  EXPECT_EQ(Send(p, "status cdaudio current track").reply, "1");
  EXPECT_EQ(Send(p, "status cdaudio mode").reply, "stopped");
  EXPECT_EQ(Send(p, "status cdaudio position").reply, "01:00:00:00");
  EXPECT_EQ(Send(p, "status cdaudio position track 3").reply, "03:00:00:00");
  EXPECT_EQ(Send(p, "status cdaudio length track 3").reply, "00:00:30");
  EXPECT_EQ(Send(p, "status cdaudio position track 9").code, 282);
  EXPECT_EQ(Send(p, "status cdaudio position track x").code, 270);
  EXPECT_EQ(Send(p, "play cdaudio from Error:282").code, 270);
  EXPECT_EQ(Send(p, "play cdaudio from 07:00:00:00").code, 282);
  EXPECT_EQ(Send(p, "set cdaudio time format furlongs").code, 293);
  EXPECT_EQ(Send(p, "seek cdaudio to 03:00:00:10").code, 0);
  EXPECT_EQ(Send(p, "status cdaudio position").reply, "03:00:00:10");
  EXPECT_EQ(Send(p, "status cdaudio current track").reply, "3");
  EXPECT_EQ(Send(p, "close cdaudio").code, 0);
  EXPECT_EQ(Send(p, "status cdaudio mode").code, 263);
}

TEST_F(MciInterpreter, WithoutADiscTheQueriesFail) {
  setenv("QUIVERGLIDE_CDROM", (dir.path() + "/no-such-image.cue").c_str(), 1);
  LinuxAudioPlatform p;
  auto t0 = std::chrono::steady_clock::now();
  ASSERT_EQ(Send(p, "open cdaudio").code, 0);
  EXPECT_EQ(Send(p, "status cdaudio current track").code, 262);
  EXPECT_EQ(Send(p, "status cdaudio mode").reply, "not ready");
  EXPECT_EQ(Send(p, "play cdaudio").code, 262);
  EXPECT_EQ(Send(p, "close cdaudio").code, 0);
  // Generous: only says that nothing waited for a disc that is not there.
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(2));
}

TEST(CdTime, ReadsAndWritesPositions) {
  using namespace qg::music;
  DiscToc toc;
  toc.first_track = 1;
  toc.starts = {0, 300, 700, 1000};  // three tracks, lead-out at 1000
  EXPECT_EQ(FormatCdPosition(CdTimeFormat::kTmsf, toc, 0), "01:00:00:00");
  EXPECT_EQ(FormatCdPosition(CdTimeFormat::kTmsf, toc, 300 + 75 + 3), "02:00:01:03");
  EXPECT_EQ(FormatCdPosition(CdTimeFormat::kMsf, toc, 0), "00:02:00");
  EXPECT_EQ(FormatCdPosition(CdTimeFormat::kMilliseconds, toc, 75), "3000");
  int32_t sector = -1;
  EXPECT_EQ(ParseCdPosition(CdTimeFormat::kTmsf, toc, "2", sector), 0);
  EXPECT_EQ(sector, 300);
  EXPECT_EQ(ParseCdPosition(CdTimeFormat::kTmsf, toc, "03:00:01:05", sector), 0);
  EXPECT_EQ(sector, 700 + 80);
  EXPECT_EQ(ParseCdPosition(CdTimeFormat::kTmsf, toc, "04", sector), 282);
  EXPECT_EQ(ParseCdPosition(CdTimeFormat::kTmsf, toc, "03:09:00:00", sector), 282);  // past the lead-out
  for (const char* bad : {"", ":", "1:", "1::2", "Error:282", "1:2:3:4:5", "256", "-1", "01:00:00:00 "})
    EXPECT_EQ(ParseCdPosition(CdTimeFormat::kTmsf, toc, bad, sector), 270) << bad;
  EXPECT_EQ(ParseCdPosition(CdTimeFormat::kMsf, toc, "00:06:00", sector), 0);
  EXPECT_EQ(sector, 300);
  EXPECT_EQ(ParseCdPosition(CdTimeFormat::kMilliseconds, toc, "6000", sector), 0);
  EXPECT_EQ(sector, 300);
  EXPECT_EQ(toc.TrackAt(299), 1);
  EXPECT_EQ(toc.TrackAt(300), 2);
  EXPECT_EQ(toc.TrackAt(5000), 3);
}

}  // namespace

namespace {

// A disc image whose data file is a pipe nobody writes to: opening it hangs
// like a drive that does not answer, until the test lets it go.
TEST_F(MciInterpreter, ADriveThatDoesNotAnswerNeverHoldsUpTheCaller) {
  std::string cue = qgtest::MakeDiscImage(dir.path(), {300, 450}, 0.4);
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

namespace {

// The host must still end on SIGTERM (log-off, shutdown) once the sound
// output is open; SDL would otherwise turn the signal into an event nobody reads.
TEST_F(MciInterpreter, TheSoundOutputLeavesTheProcessSignalsAlone) {
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    {
      LinuxAudioPlatform p;
      if (p.WaveOutDeviceCount() != 1) _exit(3);
      kill(getpid(), SIGTERM);
      usleep(1500 * 1000);
    }
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "exit code " << WEXITSTATUS(status);
  EXPECT_EQ(WTERMSIG(status), SIGTERM);
}

}  // namespace

namespace {

// Thousands of command strings made of real and broken pieces: every answer
// is success or an MCI code, a failure never leaves a reply, and nothing
// breaks (the sanitizer build of this test catches bad reads).
TEST_F(MciInterpreter, OddCommandStringsGetCodesNeverCrashes) {
  std::string wav = qgtest::MakeToneWav(dir.path(), "t.wav", {440}, 0.2);
  std::string cue = qgtest::MakeDiscImage(dir.path(), {300, 450}, 0.2);
  setenv("QUIVERGLIDE_CDROM", cue.c_str(), 1);
  const std::vector<std::string> pieces = {
      "open", "close", "play", "stop", "pause", "resume", "seek", "status", "set", "record", "all",
      "cdaudio", "MP3Play", "clip", "\"" + wav + "\"", wav, "\"", "\"\"", "type", "MPEGVideo", "waveaudio",
      "alias", "from", "to", "start", "end", "mode", "position", "length", "track", "current", "number",
      "of", "tracks", "time", "format", "tmsf", "msf", "ms", "0", "1", "2", "3", "99", "-1", "01:00:00:00",
      "02:00:00:10", "99:99:99:99", "1:2:3:4:5", "::", "Error:282", "wait", "notify", "\xff\xfe", "x\"y",
      "   ", "\t"};
  LinuxAudioPlatform p;
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  int successes = 0;
  for (int i = 0; i < 3000; ++i) {
    // Mostly a verb, then a device, then anything.
    std::string command = pieces[next() % (next() % 10 ? 10 : pieces.size())];
    command += " " + pieces[10 + next() % (next() % 10 ? 5 : pieces.size() - 10)];
    int words = static_cast<int>(next() % 6);
    for (int w = 0; w < words; ++w) {
      command += next() % 8 ? " " : "";
      command += pieces[next() % pieces.size()];
    }
    if (next() % 50 == 0) command = "close all";
    if (next() % 40 == 0) command = "open \"" + wav + "\" type waveaudio alias clip";
    Sent s = Send(p, command, 1 + next() % 64);
    successes += s.code == 0;
    EXPECT_TRUE(s.code == 0 || (s.code >= 256 && s.code <= 350)) << command << " -> " << s.code;
    if (s.code != 0) {
      EXPECT_EQ(s.reply, "") << command;
    }
  }
  EXPECT_GT(successes, 200);  // the devices really were opened and driven
  EXPECT_EQ(Send(p, "close all").code, 0);
  EXPECT_EQ(Send(p, "status cdaudio mode").code, 263);
}

}  // namespace
