// What the music player needs of the platform: the media control interface
// (command strings and error texts), the simple sound player and the count of
// wave output devices. The Windows build maps these one to one onto winmm;
// the Linux build has its own interpreter in linux/.
#pragma once

#include <cstdint>
#include <string>

namespace Wobblevista_BGM {

// Flags of the sound player, with the values winmm gives them.
constexpr uint32_t kSndAsync = 0x0001;
constexpr uint32_t kSndLoop = 0x0008;

class BgmPlatform {
 public:
  virtual ~BgmPlatform() = default;

  // Sends one MCI command string. The reply (NUL-terminated, cut to fit) goes
  // to `reply`, which may be null when `capacity` is 0. Returns 0 or an MCI
  // error code.
  virtual int32_t SendMciString(const std::string& command, char* reply, uint32_t capacity) = 0;

  // The text of an MCI error code, NUL-terminated and cut to fit; false when
  // the code has no text.
  virtual bool GetMciErrorText(int32_t code, char* text, uint32_t capacity) = 0;

  // Plays a sound file. A null `sound` stops whatever the sound player plays.
  // With kSndAsync the call returns at once; kSndLoop repeats until stopped.
  virtual bool PlaySound(const char* sound, uint32_t flags) = 0;

  // Number of wave output devices; 0 when there is no way to make sound.
  virtual int32_t WaveOutDeviceCount() = 0;
};

}  // namespace Wobblevista_BGM
