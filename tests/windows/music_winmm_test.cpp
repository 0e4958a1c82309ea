// The music player over winmm under Wine: an MP3 played through the
// "MP3Play" alias (Wine's ALSA output goes to a null device set up by
// scripts/test-windows.sh) and the sound player looping a WAV file.
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "bgm_player.h"
#include "music_settings.h"
#include "wide_text.h"
#include "win_test.h"
#include "winmm_bgm_platform.h"

namespace {

using namespace Wobblevista_BGM;

std::string MediaPath(const char* name) { return wintest::WindowsPath(std::string(QG_TEST_MEDIA_DIR) + "/" + name); }

// The MP3 by a file name no ANSI code page holds as a whole, as a user's
// music may have; then the WAV.
TEST(WinmmMusicTest, Mp3WithAWideNamePlaysThroughMciAndAWavLoopsInTheSoundPlayerUntilStopped) {
  if (!wintest::RunHas("QG_WINE_SOUND")) GTEST_SKIP() << "needs the null sound device of scripts/test-windows.sh";
  UseWinmmAudio();
  BgmPlatform& platform = *CurrentPlatform();
  ASSERT_GE(platform.WaveOutDeviceCount(), 1);
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring target = temp + (L"\u00e9t\u00e9-\u266a-" + std::to_wstring(GetCurrentProcessId()) + L".mp3");
  ASSERT_TRUE(CopyFileW(qg::win32::Utf8ToWide(MediaPath("tone.mp3")).c_str(), target.c_str(), FALSE));
  BgmFile = qg::win32::WideToUtf8(target);
  BgmKind = 2;

  Mp3Play();
  ASSERT_TRUE(wintest::WaitUntil(Mp3IsPlaying, 3000)) << "MCI did not play " << BgmFile;
  EXPECT_NEAR(std::atoi(MciQuery("status MP3Play length").c_str()), 2000, 300);
  Mp3Stop();
  std::string reply;
  EXPECT_NE(MciSend("status MP3Play mode", reply), 0) << "the alias is closed after the stop";
  DeleteFileW(target.c_str());

  // A missing file does not play; the tone loops on past its end.
  EXPECT_FALSE(platform.PlaySound(MediaPath("no-such-file.wav").c_str(), 0));
  EXPECT_TRUE(platform.PlaySound(MediaPath("tone.wav").c_str(), kSndAsync | kSndLoop));
  Sleep(2500);  // past the end of the 2-second tone
  // Still playing: a sound asked not to stop another is refused.
  EXPECT_FALSE(PlaySoundA(MediaPath("tone.wav").c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NOSTOP))
      << "the loop ended with the tone";
  EXPECT_TRUE(platform.PlaySound(nullptr, 0));
  EXPECT_TRUE(PlaySoundA(MediaPath("tone.wav").c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NOSTOP))
      << "stopped, the player takes another sound";
  PlaySoundA(nullptr, nullptr, 0);
}

}  // namespace
