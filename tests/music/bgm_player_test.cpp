// The music player's logic against a scripted platform: the exact command
// strings, reply areas and decisions of every operation.
#include <gtest/gtest.h>

#include "bgm_player.h"
#include "fake_platform.h"

namespace BGM = Wobblevista_BGM;
using Strings = std::vector<std::string>;

class BgmPlayer : public ::testing::Test {
 protected:
  void SetUp() override {
    BGM::SetPlatform(&fake);
    BGM::BgmKind = 2;
    BGM::BgmRepeat = 0;
    BGM::BgmFile = "/home/ann/Music/My Theme.mp3";
    BGM::CdKeepWatching = false;
  }
  void TearDown() override { BGM::SetPlatform(nullptr); }
  qgtest::FakePlatform fake;
};

TEST_F(BgmPlayer, MciSendGivesReplyOrErrorText) {
  fake.Script("status MP3Play length", 0, "2000");
  fake.Script("status MP3Play mode", 263);
  fake.Script("bogus command", 261);
  fake.texts[263] = "The specified device is not open or is not recognized by MCI.";

  std::string reply;
  EXPECT_EQ(BGM::MciSend("status MP3Play length", reply), 0);
  EXPECT_EQ(reply, "2000");
  EXPECT_EQ(BGM::MciSend("status MP3Play mode", reply), 263);
  EXPECT_EQ(reply, "The specified device is not open or is not recognized by MCI.");
  EXPECT_EQ(BGM::MciSend("bogus command", reply), 261);
  EXPECT_EQ(reply, "Error (文字列が取れません)");
  EXPECT_EQ(fake.capacities, (std::vector<uint32_t>{512, 512, 512}));
  EXPECT_EQ(fake.error_text_capacities, (std::vector<uint32_t>{256, 256}));
}

TEST_F(BgmPlayer, Mp3PlayOpensQuotedAndPlaysOnlyAfterASuccessfulOpen) {
  BGM::Mp3Play();
  EXPECT_EQ(fake.sent, (Strings{"open \"/home/ann/Music/My Theme.mp3\" type MPEGVideo Alias MP3Play",
                                "play MP3Play"}));
  fake.sent.clear();
  fake.Script("open \"/home/ann/Music/My Theme.mp3\" type MPEGVideo Alias MP3Play", 275);
  BGM::Mp3Play();
  EXPECT_EQ(fake.sent, (Strings{"open \"/home/ann/Music/My Theme.mp3\" type MPEGVideo Alias MP3Play"}));
}

TEST_F(BgmPlayer, WavPlayLoopsAsynchronouslyOnlyWithAWaveDevice) {
  BGM::BgmFile = "/tmp/loop.wav";
  fake.devices = 0;
  BGM::WavPlay();
  EXPECT_TRUE(fake.sounds.empty());
  fake.devices = 1;
  BGM::WavPlay();
  ASSERT_EQ(fake.sounds.size(), 1u);
  EXPECT_EQ(fake.sounds[0].name, "/tmp/loop.wav");
  EXPECT_EQ(fake.sounds[0].flags, 9u);
  BGM::WavStop();
  ASSERT_EQ(fake.sounds.size(), 2u);
  EXPECT_TRUE(fake.sounds[1].null_name);
  EXPECT_EQ(fake.sounds[1].flags, 0u);
  EXPECT_TRUE(fake.sent.empty());
}

TEST_F(BgmPlayer, CdWatchPlaysTheWholeDiscWhenStopped) {
  fake.Script("status cdaudio current track", 0, "2");
  fake.Script("status cdaudio number of tracks", 0, "5");
  fake.Script("status cdaudio mode", 0, "stopped");
  fake.Script("status cdaudio mode", 0, "playing");
  BGM::CdWatch();
  EXPECT_TRUE(BGM::CdKeepWatching);
  EXPECT_EQ(fake.sent, (Strings{"status cdaudio current track", "status cdaudio number of tracks",
                                "status cdaudio mode", "play cdaudio"}));
  EXPECT_EQ(fake.capacities, (std::vector<uint32_t>{512, 512, 255, 512}));
  fake.sent.clear();
  BGM::CdWatch();
  EXPECT_TRUE(BGM::CdKeepWatching);
  EXPECT_EQ(fake.sent.size(), 3u);  // playing: nothing more
}

TEST_F(BgmPlayer, CdWatchKeepsTheChosenTrack) {
  BGM::BgmRepeat = 3;
  const Strings queries{"status cdaudio current track", "status cdaudio number of tracks", "status cdaudio mode"};
  Strings pulled = queries;
  pulled.push_back("status cdaudio position track 3");
  pulled.push_back("play cdaudio from 03:00:00:00");
  struct Case {
    const char *current, *mode;
    bool pull;
  };
  // On track 3 and playing: left alone. Ran on into track 4, or stopped: back to track 3.
  for (Case c : {Case{"3", "playing", false}, Case{"4", "playing", true}, Case{"3", "stopped", true}}) {
    qgtest::FakePlatform f;
    BGM::SetPlatform(&f);
    f.Script("status cdaudio current track", 0, c.current);
    f.Script("status cdaudio number of tracks", 0, "5");
    f.Script("status cdaudio mode", 0, c.mode);
    f.Script("status cdaudio position track 3", 0, "03:00:00:00");
    BGM::CdWatch();
    EXPECT_EQ(f.sent, c.pull ? pulled : queries) << c.current << " " << c.mode;
    EXPECT_TRUE(BGM::CdKeepWatching);
  }
}
