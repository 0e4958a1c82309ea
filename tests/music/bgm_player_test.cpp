// The music player's decisions against a scripted platform; the sound itself
// is checked through the real back end in the other music tests.
#include <gtest/gtest.h>

#include "bgm_player.h"
#include "scripted_bgm_platform.h"

namespace BGM = Wobblevista_BGM;
using Strings = std::vector<std::string>;

namespace {

class BgmPlayer : public ::testing::Test {
 protected:
  void SetUp() override {
    BGM::SetPlatform(&fake);
    BGM::BgmFile = "/home/ann/Music/My Theme.mp3";
  }
  void TearDown() override { BGM::SetPlatform(nullptr); }
  qgtest::ScriptedBgmPlatform fake;
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
  EXPECT_TRUE(fake.sent.empty());
  fake.devices = 1;
  BGM::WavPlay();
  BGM::WavStop();
  EXPECT_EQ(fake.sent, (Strings{"PlaySound /tmp/loop.wav 9", "PlaySound stop"}));  // async | loop, then stop
}

}  // namespace
