// What the show's music starts and stops for each kind of music, against a
// scripted music platform.
#include "show_music.h"

#include <gtest/gtest.h>

#include "bgm_player.h"
#include "music_settings.h"
#include "scripted_bgm_platform.h"

namespace {

using qg::show::ShowMusic;
using Commands = std::vector<std::string>;

class ShowMusicTest : public ::testing::Test {
 protected:
  void SetUp() override { Wobblevista_BGM::SetPlatform(&platform_); }
  void TearDown() override {
    Wobblevista_BGM::SetPlatform(nullptr);
    Wobblevista_BGM::BgmKind = 0;
    Wobblevista_BGM::BgmFile.clear();
  }
  // What a stop sends.
  Commands Stop(ShowMusic& music) {
    platform_.sent.clear();
    music.Stop();
    return platform_.sent;
  }
  qgtest::ScriptedBgmPlatform platform_;
};

// WAV and MP3 files are heard in the whole show and in the timers' test; a
// file of a kind no player takes plays nothing and needs no watch.
TEST_F(ShowMusicTest, AFileOfAnotherKindPlaysNothing) {
  Wobblevista_BGM::BgmKind = 2;
  Wobblevista_BGM::BgmFile = "/music/song.mid";
  ShowMusic music;
  const ShowMusic::Watches w = music.Start();
  EXPECT_FALSE(w.mp3 || w.cd);
  EXPECT_EQ(platform_.sent, Commands{});
  EXPECT_EQ(Stop(music), Commands{});
}

TEST_F(ShowMusicTest, CdWhoseWatchEndedOnAnErrorIsStillStoppedAndClosed) {
  Wobblevista_BGM::BgmKind = 1;
  platform_.script = {{"status cdaudio current track", {0, "1"}},
                      {"status cdaudio number of tracks", {0, "3"}},
                      {"status cdaudio mode", {0, "stopped"}}};
  ShowMusic music;
  const ShowMusic::Watches w = music.Start();
  EXPECT_TRUE(w.cd);
  EXPECT_FALSE(w.mp3);
  Wobblevista_BGM::CdWatch();  // the first tick starts the disc
  EXPECT_TRUE(Wobblevista_BGM::CdKeepWatching);
  // Then a query fails while the disc plays: the watch ends for good.
  platform_.script["status cdaudio current track"] = {263, ""};
  Wobblevista_BGM::CdWatch();
  ASSERT_FALSE(Wobblevista_BGM::CdKeepWatching);
  EXPECT_EQ(Stop(music), (Commands{"stop cdaudio", "close cdaudio"}));
  EXPECT_TRUE(Stop(music).empty()) << "once is enough";
}

}  // namespace
