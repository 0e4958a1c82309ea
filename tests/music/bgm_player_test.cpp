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

TEST_F(BgmPlayer, MciSendEmptyCommandSendsNothing) {
  std::string reply = "old";
  EXPECT_EQ(BGM::MciSend("", reply), -1);
  EXPECT_EQ(reply, "コマンド文字列が指定されていません");
  EXPECT_TRUE(fake.sent.empty());
  EXPECT_EQ(BGM::MciQuery(""), "Error:-1");
}

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

TEST_F(BgmPlayer, MciQueryHandsOnOnlyTheCode) {
  fake.Script("status cdaudio current track", 0, "4");
  fake.Script("status cdaudio position track 9", 282);
  fake.texts[282] = "The specified parameter is out of range for the specified command.";
  EXPECT_EQ(BGM::MciQuery("status cdaudio current track"), "4");
  EXPECT_EQ(BGM::MciQuery("status cdaudio position track 9"), "Error:282");
}

TEST_F(BgmPlayer, RepliesAreCutToTheirAreasEvenFromACarelessPlatform) {
  fake.raw_replies = true;
  std::string reply;
  EXPECT_EQ(BGM::MciSend("status cdaudio mode", reply), 0);
  EXPECT_EQ(reply.size(), 512u);
  EXPECT_FALSE(BGM::Mp3IsPlaying());
}

TEST_F(BgmPlayer, StopOpenAndPlayRangeSendTheirCommandsWithoutReplyAreas) {
  BGM::Mp3Stop();
  BGM::CdOpen();
  BGM::CdStop();
  EXPECT_EQ(fake.sent, (Strings{"stop MP3Play", "close MP3Play", "open cdaudio", "set cdaudio time format tmsf",
                                "stop cdaudio", "close cdaudio"}));
  EXPECT_EQ(fake.capacities, std::vector<uint32_t>(6, 0));
  fake.sent.clear();
  BGM::MciPlayRange("cdaudio", "03:00:00:00", "04:00:00:00");
  BGM::MciPlayRange("MP3Play", "", "500");
  EXPECT_EQ(fake.sent, (Strings{"play cdaudio from 03:00:00:00 to 04:00:00:00", "play MP3Play to 500"}));
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

TEST_F(BgmPlayer, Mp3IsPlayingLooksAtTheFirstSevenCharacters) {
  for (auto [reply, playing] : std::vector<std::pair<std::string, bool>>{
           {"playing", true}, {"playing now", true}, {"play", false}, {"stopped", false},
           {"paused", false}, {"Playing", false}, {"", false}}) {
    qgtest::FakePlatform f;
    f.Script("status MP3Play mode", 0, reply);
    BGM::SetPlatform(&f);
    EXPECT_EQ(BGM::Mp3IsPlaying(), playing) << reply;
    EXPECT_EQ(f.capacities, (std::vector<uint32_t>{30}));
  }
}

TEST_F(BgmPlayer, Mp3WatchRestartsFromZeroOnlyWhenNotPlaying) {
  fake.Script("status MP3Play mode", 0, "playing");
  fake.Script("status MP3Play mode", 0, "stopped");
  BGM::Mp3Watch();
  EXPECT_EQ(fake.sent, (Strings{"status MP3Play mode"}));
  BGM::Mp3Watch();
  EXPECT_EQ(fake.sent, (Strings{"status MP3Play mode", "status MP3Play mode", "stop MP3Play", "play MP3Play from 0"}));
  // With nothing open every command fails, and the watch just tries again.
  fake.sent.clear();
  fake.Script("status MP3Play mode", 263);
  BGM::Mp3Watch();
  BGM::Mp3Watch();
  EXPECT_EQ(fake.sent.size(), 6u);
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

TEST_F(BgmPlayer, CdWatchEndsAtTheFirstErrorReply) {
  fake.Script("status cdaudio current track", 276);
  BGM::CdWatch();
  EXPECT_FALSE(BGM::CdKeepWatching);
  EXPECT_EQ(fake.sent, (Strings{"status cdaudio current track"}));

  qgtest::FakePlatform f;
  BGM::SetPlatform(&f);
  f.Script("status cdaudio current track", 0, "1");
  f.Script("status cdaudio number of tracks", 0, "Error: no disc");  // any "err", in any case
  BGM::CdWatch();
  EXPECT_FALSE(BGM::CdKeepWatching);
  EXPECT_EQ(f.sent, (Strings{"status cdaudio current track", "status cdaudio number of tracks"}));
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

TEST_F(BgmPlayer, CdWatchNeverPlaysFromAnErrorReply) {
  BGM::BgmRepeat = 9;
  fake.Script("status cdaudio current track", 0, "1");
  fake.Script("status cdaudio number of tracks", 0, "4");
  fake.Script("status cdaudio mode", 0, "playing");
  fake.Script("status cdaudio position track 9", 282);
  BGM::CdWatch();
  EXPECT_FALSE(BGM::CdKeepWatching);
  EXPECT_EQ(fake.sent.back(), "status cdaudio position track 9");
  for (const std::string& s : fake.sent) EXPECT_EQ(s.find("play"), std::string::npos) << s;
}

TEST_F(BgmPlayer, CdWatchEndsOnATrackReplyThatIsNotANumber) {
  BGM::BgmRepeat = 2;
  fake.Script("status cdaudio current track", 0, "two");
  fake.Script("status cdaudio number of tracks", 0, "4");
  fake.Script("status cdaudio mode", 0, "stopped");
  BGM::CdWatch();
  EXPECT_FALSE(BGM::CdKeepWatching);
  EXPECT_EQ(fake.sent.size(), 3u);
}

TEST_F(BgmPlayer, WithoutAPlatformEverythingFailsQuietly) {
  BGM::SetPlatform(nullptr);
  BGM::Mp3Play();
  BGM::Mp3Watch();
  BGM::WavPlay();
  BGM::CdOpen();
  BGM::CdWatch();
  EXPECT_FALSE(BGM::CdKeepWatching);
  EXPECT_EQ(BGM::MciQuery("status MP3Play mode"), "Error:263");
}
