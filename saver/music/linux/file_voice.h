// A sound file decoded as it plays (libsndfile: WAV, MP3 and the other
// formats it reads), converted to the output's rate and channels.
#pragma once

#include <sndfile.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio_output.h"

namespace qg::music {

class FileVoice final : public Voice {
 public:
  // 0 and the voice, or kMciErrFileNotFound / kMciErrInvalidFile.
  static int32_t Open(const std::string& path, std::unique_ptr<FileVoice>& voice);
  ~FileVoice() override;

  // Everything below is called with the output's lock held.
  // Plays from `from` (or where it stands, or from the start after an end)
  // up to `to` (or the end); with `loop` the file repeats without a gap.
  void Play(int64_t from, int64_t to, bool loop);
  void Stop();  // keeps the position
  void Pause();
  void Resume() { paused_ = false; }
  void Cue(int64_t frame);  // stops there
  bool Playing() const { return playing_ && !paused_; }
  bool Paused() const { return playing_ && paused_; }
  int64_t Position() const { return position_; }  // in source frames
  int64_t Length() const { return info_.frames; }
  int Rate() const { return info_.samplerate; }

  void MixInto(float* mix, size_t frames) override;

 private:
  FileVoice() = default;
  void Seek(int64_t frame);
  void Finish();

  SNDFILE* file_ = nullptr;
  SF_INFO info_{};
  SDL_AudioStream* stream_ = nullptr;
  std::vector<float> decoded_;
  std::vector<float> converted_;
  int64_t position_ = 0;  // next source frame to decode
  int64_t end_ = 0;
  bool playing_ = false;
  bool paused_ = false;
  bool loop_ = false;
  bool draining_ = false;
  bool rewind_ = false;  // the last play reached the end: the next starts at 0
};

}  // namespace qg::music
