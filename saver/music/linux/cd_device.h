// The audio CD as the MCI device "cdaudio": the CD player's state in MCI's
// words, with positions in TMSF, MSF or milliseconds.
#pragma once

#include <chrono>
#include <memory>

#include "audio_output.h"
#include "cd_player.h"
#include "cd_time.h"
#include "mci_device.h"

namespace qg::music {

class CdDevice final : public MciDevice {
 public:
  // Starts opening the drive or image named by `source` on the player's thread.
  CdDevice(AudioOutput& output, const std::string& source);
  ~CdDevice() override;
  int32_t Command(const std::string& verb, const std::vector<std::string>& args, std::string& reply) override;

  // How long a command waits for a drive that is still being opened before
  // it answers "not ready"; short, so the caller's timers keep their pace.
  static constexpr std::chrono::milliseconds kOpenWait{150};

 private:
  int32_t Status(const std::vector<std::string>& args, std::string& reply);
  int32_t Play(const MciArgs& args);
  int32_t Position(const std::string& text, const DiscToc& toc, int32_t& sector);
  // 0 with the table of contents when a disc is ready, else an MCI code.
  int32_t ReadyDisc(DiscToc& toc);

  AudioOutput& output_;
  std::shared_ptr<CdPlayer> player_;
  CdTimeFormat format_ = CdTimeFormat::kMsf;
  bool voice_added_ = false;
};

}  // namespace qg::music
