// The background music player: MP3 through the MCI alias "MP3Play", WAV
// through the sound player, and the audio CD through the MCI device
// "cdaudio". The run form starts the music, calls the watch operations from
// its timers and stops the music at the end of the show. Nothing here ever
// reports a failure to the user.
#pragma once

#include <cstdint>
#include <string>

#include "bgm_platform.h"
#include "music_settings.h"

namespace Wobblevista_BGM {

// Installs the platform the player talks to (not owned). With none installed,
// or after SetPlatform(nullptr), every operation fails quietly.
void SetPlatform(BgmPlatform* platform);
BgmPlatform* CurrentPlatform();

// Set by CdWatch; the run form copies it into its CD timer's enabled state.
extern bool CdKeepWatching;

// Operations for the run form.
void Mp3Play();
void Mp3Watch();  // every 1000 ms
void Mp3Stop();
void WavPlay();
void WavStop();
void CdOpen();
void CdWatch();  // every 200 ms
void CdStop();

// Helpers.
bool Mp3IsPlaying();
int32_t MciSend(const std::string& command, std::string& reply);
std::string MciQuery(const std::string& command);
int32_t MciPlayRange(const std::string& device, const std::string& from, const std::string& to);

// The reply areas handed to the platform, in characters.
constexpr uint32_t kGeneralReplyCapacity = 512;
constexpr uint32_t kErrorTextCapacity = 256;
constexpr uint32_t kCdModeReplyCapacity = 255;
constexpr uint32_t kMp3ModeReplyCapacity = 30;

// The reply of MciSend for an empty command.
extern const char* const kNoCommandText;
// The reply of MciSend when the error code has no text.
extern const char* const kNoErrorText;

}  // namespace Wobblevista_BGM
