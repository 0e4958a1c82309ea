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

TEST_F(BgmPlayer, Mp3IsPlayedOnlyAfterASuccessfulOpen) {
  const std::string open = "open \"/home/ann/Music/My Theme.mp3\" type MPEGVideo Alias MP3Play";
  fake.script[open] = {275, ""};
  BGM::Mp3Play();
  EXPECT_EQ(fake.sent, Strings{open});
  fake.script[open] = {0, "1"};
  BGM::Mp3Play();
  EXPECT_EQ(fake.sent, (Strings{open, open, "play MP3Play"}));
}

// The loop's own request and its stop are the show's music test's (and the
// real sound, looped, the Windows music test's).
TEST_F(BgmPlayer, WavIsNotPlayedWithoutAWaveDevice) {
  BGM::BgmFile = "/tmp/loop.wav";
  fake.devices = 0;
  BGM::WavPlay();
  EXPECT_TRUE(fake.sent.empty());
}

}  // namespace
