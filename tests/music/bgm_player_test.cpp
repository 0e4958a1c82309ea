// The music player's decisions against a scripted platform; the sound itself
// is checked through the real back end in the other music tests.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include "bgm_player.h"

namespace BGM = Wobblevista_BGM;
using Strings = std::vector<std::string>;

namespace {

// Answers each command as scripted (unscripted ones succeed with no reply)
// and records what the player asked for.
class ScriptedPlatform : public BGM::BgmPlatform {
 public:
  int32_t SendMciString(const std::string& command, char* reply, uint32_t capacity) override {
    sent.push_back(command);
    auto [code, text] = script[command];
    if (reply && capacity) std::snprintf(reply, capacity, "%s", text.c_str());
    return code;
  }
  bool GetMciErrorText(int32_t code, char* text, uint32_t capacity) override {
    auto it = texts.find(code);
    if (it == texts.end()) return false;
    std::snprintf(text, capacity, "%s", it->second.c_str());
    return true;
  }
  bool PlaySound(const char* sound, uint32_t flags) override {
    sounds.push_back({sound ? sound : "(none)", flags});
    return true;
  }
  int32_t WaveOutDeviceCount() override { return devices; }

  std::map<std::string, std::pair<int32_t, std::string>> script;
  std::map<int32_t, std::string> texts;
  Strings sent;
  std::vector<std::pair<std::string, uint32_t>> sounds;
  int32_t devices = 1;
};

class BgmPlayer : public ::testing::Test {
 protected:
  void SetUp() override {
    BGM::SetPlatform(&fake);
    BGM::BgmFile = "/home/ann/Music/My Theme.mp3";
  }
  void TearDown() override { BGM::SetPlatform(nullptr); }
  ScriptedPlatform fake;
};

TEST_F(BgmPlayer, MciSendGivesTheReplyOrTheErrorsText) {
  fake.script["status MP3Play length"] = {0, "2000"};
  fake.script["status MP3Play mode"] = {263, ""};
  fake.script["bogus command"] = {261, ""};
  fake.texts[263] = "The specified device is not open or is not recognized by MCI.";

  std::string reply;
  EXPECT_EQ(BGM::MciSend("status MP3Play length", reply), 0);
  EXPECT_EQ(reply, "2000");
  EXPECT_EQ(BGM::MciSend("status MP3Play mode", reply), 263);
  EXPECT_EQ(reply, "The specified device is not open or is not recognized by MCI.");
  EXPECT_EQ(BGM::MciSend("bogus command", reply), 261);
  EXPECT_EQ(reply, "Error (文字列が取れません)");
}

TEST_F(BgmPlayer, Mp3IsPlayedOnlyAfterASuccessfulOpen) {
  const std::string open = "open \"/home/ann/Music/My Theme.mp3\" type MPEGVideo Alias MP3Play";
  fake.script[open] = {275, ""};
  BGM::Mp3Play();
  EXPECT_EQ(fake.sent, Strings{open});
  fake.script[open] = {0, "1"};
  BGM::Mp3Play();
  EXPECT_EQ(fake.sent, (Strings{open, open, "play MP3Play"}));
}

TEST_F(BgmPlayer, WavLoopsAsynchronouslyOnlyWithAWaveDevice) {
  BGM::BgmFile = "/tmp/loop.wav";
  fake.devices = 0;
  BGM::WavPlay();
  EXPECT_TRUE(fake.sounds.empty());
  fake.devices = 1;
  BGM::WavPlay();
  BGM::WavStop();
  using Sound = std::pair<std::string, uint32_t>;
  EXPECT_EQ(fake.sounds, (std::vector<Sound>{{"/tmp/loop.wav", 9u}, {"(none)", 0u}}));  // async | loop, then stop
  EXPECT_TRUE(fake.sent.empty());
}

}  // namespace
