// Our own MCI: the command strings of the media control interface carried
// out over the Linux sound output. Devices are sound files ("MPEGVideo",
// "waveaudio") and the audio CD ("cdaudio"); replies and error codes are
// the platform's.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "audio_output.h"
#include "mci_device.h"

namespace qg::music {

class MciInterpreter {
 public:
  explicit MciInterpreter(AudioOutput& output) : output_(output) {}
  ~MciInterpreter();
  MciInterpreter(const MciInterpreter&) = delete;
  MciInterpreter& operator=(const MciInterpreter&) = delete;

  // Carries out one command string: 0 and the reply, or an MCI error code
  // (the reply is then empty).
  int32_t Send(const std::string& command, std::string& reply);

 private:
  struct OpenDevice {
    std::string alias;  // what commands name it by, compared without case
    int id = 0;
    std::unique_ptr<MciDevice> device;
  };

  int32_t Open(const std::vector<std::string>& words, std::string& reply);
  int32_t Close(const std::string& name);
  OpenDevice* Find(const std::string& name);

  AudioOutput& output_;
  std::mutex mutex_;
  std::vector<OpenDevice> devices_;
  int next_id_ = 1;
};

}  // namespace qg::music
