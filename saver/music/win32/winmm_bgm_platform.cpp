#include "winmm_bgm_platform.h"
#include "use_system_audio.h"

#include <windows.h>
#include <mmsystem.h>
// mmsystem.h names PlaySound as a macro; here it is our method's name.
#undef PlaySound

#include <vector>

#include "bgm_player.h"
#include "wide_text.h"

using qg::win32::CopyCut;
using qg::win32::Utf8ToWide;
using qg::win32::WideToUtf8;

namespace Wobblevista_BGM {

// The sound player would otherwise keep a looping WAV going after the
// player is gone.
WinmmBgmPlatform::~WinmmBgmPlatform() { ::PlaySoundA(nullptr, nullptr, 0); }

// Commands and texts are UTF-8 in the program; the wide calls carry them to
// winmm whole, where the ANSI ones would lose any character outside the
// code page (a file name, most likely).
int32_t WinmmBgmPlatform::SendMciString(const std::string& command, char* reply, uint32_t capacity) {
  std::vector<wchar_t> wideReply(capacity ? capacity : 1, L'\0');
  const MCIERROR code = mciSendStringW(Utf8ToWide(command).c_str(), capacity ? wideReply.data() : nullptr,
                                       capacity, nullptr);
  CopyCut(WideToUtf8(wideReply.data()), reply, capacity);
  return static_cast<int32_t>(code);
}

bool WinmmBgmPlatform::GetMciErrorText(int32_t code, char* text, uint32_t capacity) {
  if (!text || capacity == 0) return false;
  // winmm leaves the area alone for some codes; so do we.
  constexpr wchar_t kUntouched = 0xFFFF;
  std::vector<wchar_t> wide(capacity + 1, L'\0');
  wide[0] = kUntouched;
  const bool known = mciGetErrorStringW(static_cast<MCIERROR>(code), wide.data(), capacity) != FALSE;
  if (wide[0] != kUntouched) CopyCut(WideToUtf8(wide.data()), text, capacity);
  return known;
}

bool WinmmBgmPlatform::PlaySound(const char* sound, uint32_t flags) {
  // Our flag values are winmm's own; a file name is always meant.
  const DWORD winmmFlags = (flags & (kSndAsync | kSndLoop)) | (sound ? SND_FILENAME : 0);
  if (!sound) return ::PlaySoundW(nullptr, nullptr, winmmFlags) != FALSE;
  return ::PlaySoundW(Utf8ToWide(sound).c_str(), nullptr, winmmFlags) != FALSE;
}

int32_t WinmmBgmPlatform::WaveOutDeviceCount() { return static_cast<int32_t>(waveOutGetNumDevs()); }

void UseWinmmAudio() {
  static WinmmBgmPlatform platform;
  SetPlatform(&platform);
}

void UseSystemAudio() { UseWinmmAudio(); }

}  // namespace Wobblevista_BGM
