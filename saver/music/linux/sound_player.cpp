#include "sound_player.h"

#include <chrono>
#include <thread>

namespace qg::music {

namespace {
constexpr uint32_t kAsync = 0x0001;
constexpr uint32_t kLoop = 0x0008;
}  // namespace

SoundPlayer::~SoundPlayer() { StopCurrent(); }

void SoundPlayer::StopCurrent() {
  if (!voice_) return;
  output_.Remove(voice_.get());
  voice_.reset();
}

bool SoundPlayer::Play(const char* sound, uint32_t flags) {
  StopCurrent();
  if (!sound) return true;
  if (!output_.Open()) return false;
  std::unique_ptr<FileVoice> opened;
  if (FileVoice::Open(sound, opened) != 0) return false;
  voice_ = std::shared_ptr<FileVoice>(std::move(opened));
  {
    auto lock = output_.Lock();
    voice_->Play(0, -1, (flags & kLoop) != 0);
  }
  output_.Add(voice_);
  if (!(flags & kAsync) && !(flags & kLoop)) {
    // A synchronous sound returns when it has been heard.
    while (true) {
      {
        auto lock = output_.Lock();
        if (!voice_->Playing()) break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    StopCurrent();
  }
  return true;
}

}  // namespace qg::music
