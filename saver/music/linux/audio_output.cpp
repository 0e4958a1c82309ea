#include "audio_output.h"

#include <algorithm>
#include <cmath>

namespace qg::music {

AudioOutput::~AudioOutput() {
  if (device_) SDL_CloseAudioDevice(device_);  // waits for the audio thread
  if (subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool AudioOutput::Open() {
  if (tried_) return device_ != 0;
  tried_ = true;
  // SDL's audio brings up its event queue, which by default catches SIGINT
  // and SIGTERM; the host must still end on them.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  subsystem_ = true;
  SDL_AudioSpec want{};
  want.freq = kOutputRate;
  want.format = AUDIO_S16SYS;
  want.channels = kOutputChannels;
  want.samples = 1024;
  want.callback = &AudioOutput::Callback;
  want.userdata = this;
  SDL_AudioSpec have{};
  // SDL converts to whatever the hardware wants, so the mixer always works
  // in one format.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (!device_) return false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    mix_.assign(static_cast<size_t>(std::max<int>(have.samples, 4096)) * kOutputChannels * 2, 0.0f);
  }
  int listed = SDL_GetNumAudioDevices(0);
  device_count_ = std::max(1, listed);
  return true;
}

int AudioOutput::DeviceCount() { return Open() ? device_count_ : 0; }

void AudioOutput::Add(const std::shared_ptr<Voice>& voice) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    voices_.push_back(voice);
  }
  // The device runs from its first voice on. Not under mutex_: SDL holds its
  // own lock around the callback, which takes mutex_.
  if (device_ && !started_) {
    SDL_PauseAudioDevice(device_, 0);
    started_ = true;
  }
}

void AudioOutput::Remove(const Voice* voice) {
  std::lock_guard<std::mutex> lock(mutex_);
  voices_.erase(std::remove_if(voices_.begin(), voices_.end(),
                               [voice](const std::shared_ptr<Voice>& v) { return v.get() == voice; }),
                voices_.end());
}

void AudioOutput::SetTap(Tap tap) {
  std::lock_guard<std::mutex> lock(mutex_);
  tap_ = std::move(tap);
}

void AudioOutput::Callback(void* self, Uint8* stream, int bytes) {
  size_t frames = static_cast<size_t>(bytes) / (sizeof(int16_t) * kOutputChannels);
  static_cast<AudioOutput*>(self)->Render(reinterpret_cast<int16_t*>(stream), frames);
}

void AudioOutput::Render(int16_t* out, size_t frames) {
  std::lock_guard<std::mutex> lock(mutex_);
  size_t done = 0;
  while (done < frames) {
    size_t block = std::min(frames - done, mix_.size() / kOutputChannels);
    float* mix = mix_.data();
    std::fill(mix, mix + block * kOutputChannels, 0.0f);
    for (const auto& voice : voices_) voice->MixInto(mix, block);
    int16_t* dst = out + done * kOutputChannels;
    for (size_t i = 0; i < block * kOutputChannels; ++i) {
      // Scaled by 32768 so that 16-bit sources come out bit for bit.
      float v = std::nearbyint(mix[i] * 32768.0f);
      dst[i] = static_cast<int16_t>(std::clamp(v, -32768.0f, 32767.0f));
    }
    if (tap_) tap_(dst, block);
    done += block;
  }
}

}  // namespace qg::music
