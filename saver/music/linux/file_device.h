// A sound file opened as an MCI device ("MPEGVideo" or "waveaudio"), with
// positions in milliseconds.
#pragma once

#include <memory>

#include "audio_output.h"
#include "file_voice.h"
#include "mci_device.h"

namespace qg::music {

class FileDevice final : public MciDevice {
 public:
  FileDevice(AudioOutput& output, std::shared_ptr<FileVoice> voice);
  ~FileDevice() override;
  int32_t Command(const std::string& verb, const std::vector<std::string>& args, std::string& reply) override;

 private:
  int32_t Status(const std::vector<std::string>& args, std::string& reply);
  int32_t Milliseconds(const std::string& text, int64_t& frame);
  int64_t ToMilliseconds(int64_t frames) const;

  AudioOutput& output_;
  std::shared_ptr<FileVoice> voice_;
};

}  // namespace qg::music
