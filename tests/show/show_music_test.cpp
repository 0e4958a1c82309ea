// The show's music steps against a scripted music platform that records
// every command string the player sends.
#include "show_music.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bgm_player.h"
#include "music_settings.h"

namespace {

using qg::show::ShowMusic;

class ScriptedPlatform : public Wobblevista_BGM::BgmPlatform {
 public:
  int32_t SendMciString(const std::string& command, char* reply, uint32_t capacity) override {
    sent.push_back(command);
    auto fail = failing.find(command);
    if (fail != failing.end()) return fail->second;
    std::string answer = replies.count(command) ? replies[command] : "";
    if (reply && capacity) {
      std::strncpy(reply, answer.c_str(), capacity - 1);
      reply[capacity - 1] = 0;
    }
    return 0;
  }
  bool GetMciErrorText(int32_t, char* text, uint32_t capacity) override {
    if (capacity) text[0] = 0;
    return false;
  }
  bool PlaySound(const char* sound, uint32_t flags) override {
    sent.push_back(sound ? "PlaySound " + std::string(sound) + " " + std::to_string(flags) : "PlaySound stop");
    return true;
  }
  int32_t WaveOutDeviceCount() override { return 1; }

  std::vector<std::string> sent;
  std::map<std::string, std::string> replies;
  std::map<std::string, int32_t> failing;
};

class ShowMusicTest : public ::testing::Test {
 protected:
  void SetUp() override { Wobblevista_BGM::SetPlatform(&platform_); }
  void TearDown() override {
    Wobblevista_BGM::SetPlatform(nullptr);
    Wobblevista_BGM::BgmKind = 0;
    Wobblevista_BGM::BgmRepeat = 0;
    Wobblevista_BGM::BgmFile.clear();
  }
  bool Sent(const std::string& command) const {
    for (const auto& c : platform_.sent) {
      if (c == command) return true;
    }
    return false;
  }
  ScriptedPlatform platform_;
};

TEST_F(ShowMusicTest, CdWhoseWatchEndedOnAnErrorIsStillStoppedAndClosed) {
  Wobblevista_BGM::BgmKind = 1;
  platform_.replies = {{"status cdaudio current track", "1"},
                       {"status cdaudio number of tracks", "3"},
                       {"status cdaudio mode", "stopped"}};
  ShowMusic music;
  const ShowMusic::Watches w = music.Start();
  EXPECT_TRUE(w.cd);
  EXPECT_FALSE(w.mp3);
  EXPECT_TRUE(Sent("open cdaudio"));
  // First tick: the disc starts.
  Wobblevista_BGM::CdWatch();
  EXPECT_TRUE(Wobblevista_BGM::CdKeepWatching);
  EXPECT_TRUE(Sent("play cdaudio"));
  // Then a query fails while the disc plays: the watch ends for good.
  platform_.failing["status cdaudio current track"] = 263;
  Wobblevista_BGM::CdWatch();
  ASSERT_FALSE(Wobblevista_BGM::CdKeepWatching);
  platform_.sent.clear();
  music.Stop();
  EXPECT_EQ(platform_.sent, (std::vector<std::string>{"stop cdaudio", "close cdaudio"}));
  // Once is enough.
  platform_.sent.clear();
  music.Stop();
  EXPECT_TRUE(platform_.sent.empty());
}

TEST_F(ShowMusicTest, SoundFilesGoToTheirPlayerByTheirEnding) {
  Wobblevista_BGM::BgmKind = 2;
  Wobblevista_BGM::BgmFile = "/music/Loop.Wav";
  {
    ShowMusic music;
    const ShowMusic::Watches w = music.Start();
    EXPECT_FALSE(w.cd || w.mp3) << "a WAV loops by itself, no watch";
    EXPECT_TRUE(Sent("PlaySound /music/Loop.Wav 9"));
    music.Stop();
    EXPECT_TRUE(Sent("PlaySound stop"));
    EXPECT_FALSE(Sent("stop cdaudio"));
  }
  platform_.sent.clear();
  Wobblevista_BGM::BgmFile = "/music/song.MP3";
  {
    ShowMusic music;
    EXPECT_TRUE(music.Start().mp3);
    EXPECT_TRUE(Sent("open \"/music/song.MP3\" type MPEGVideo Alias MP3Play"));
    platform_.sent.clear();
    music.Stop();
    EXPECT_EQ(platform_.sent, (std::vector<std::string>{"stop MP3Play", "close MP3Play"}));
  }
  platform_.sent.clear();
  Wobblevista_BGM::BgmFile = "/music/song.mid";
  {
    ShowMusic music;
    const ShowMusic::Watches w = music.Start();
    music.Stop();
    EXPECT_FALSE(w.cd || w.mp3);
    EXPECT_TRUE(platform_.sent.empty()) << "a MIDI file plays nothing";
  }
}

}  // namespace
