#include "linux_audio_platform.h"

#include <cstring>

#include "mci_error_text.h"

namespace qg::music {

LinuxAudioPlatform::LinuxAudioPlatform() : mci_(output_), sounds_(output_) {}

LinuxAudioPlatform::~LinuxAudioPlatform() = default;

int32_t LinuxAudioPlatform::SendMciString(const std::string& command, char* reply, uint32_t capacity) {
  std::string text;
  int32_t code = mci_.Send(command, text);
  if (reply && capacity > 0) {
    // Cut to fit, as the platform does, without reporting it.
    size_t len = std::min<size_t>(text.size(), capacity - 1);
    std::memcpy(reply, text.data(), len);
    reply[len] = '\0';
  }
  return code;
}

bool LinuxAudioPlatform::GetMciErrorText(int32_t code, char* text, uint32_t capacity) {
  return CopyMciErrorText(code, text, capacity);
}

bool LinuxAudioPlatform::PlaySound(const char* sound, uint32_t flags) { return sounds_.Play(sound, flags); }

int32_t LinuxAudioPlatform::WaveOutDeviceCount() { return output_.DeviceCount(); }

}  // namespace qg::music
