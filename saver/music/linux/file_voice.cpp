#include "file_voice.h"

#include <sys/stat.h>

#include <algorithm>

#include "mci_codes.h"

namespace qg::music {

namespace {
constexpr size_t kChunkFrames = 1024;
}

int32_t FileVoice::Open(const std::string& path, std::unique_ptr<FileVoice>& voice) {
  struct stat st{};
  if (path.empty() || stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return kMciErrFileNotFound;
  // Pipes and devices could hold the caller up indefinitely.
  if (!S_ISREG(st.st_mode)) return kMciErrInvalidFile;
  std::unique_ptr<FileVoice> v(new FileVoice());
  v->file_ = sf_open(path.c_str(), SFM_READ, &v->info_);
  if (!v->file_) return kMciErrInvalidFile;
  if (v->info_.channels < 1 || v->info_.channels > 8 || v->info_.samplerate < 1000 ||
      v->info_.samplerate > 384000) {
    return kMciErrInvalidFile;
  }
  v->stream_ = SDL_NewAudioStream(AUDIO_F32SYS, static_cast<Uint8>(v->info_.channels), v->info_.samplerate,
                                  AUDIO_F32SYS, kOutputChannels, kOutputRate);
  if (!v->stream_) return kMciErrInvalidFile;
  v->decoded_.resize(kChunkFrames * static_cast<size_t>(v->info_.channels));
  v->converted_.resize(kChunkFrames * kOutputChannels);
  v->end_ = v->info_.frames;
  voice = std::move(v);
  return 0;
}

FileVoice::~FileVoice() {
  if (stream_) SDL_FreeAudioStream(stream_);
  if (file_) sf_close(file_);
}

void FileVoice::Seek(int64_t frame) {
  if (sf_seek(file_, frame, SEEK_SET) < 0) frame = info_.frames;
  position_ = frame;
  SDL_AudioStreamClear(stream_);
  draining_ = false;
}

void FileVoice::Play(int64_t from, int64_t to, bool loop) {
  if (from >= 0) {
    Seek(std::min<int64_t>(from, info_.frames));
  } else if (rewind_ || position_ >= info_.frames) {
    Seek(0);
  }
  rewind_ = false;
  end_ = (to >= 0) ? std::min<int64_t>(to, info_.frames) : info_.frames;
  loop_ = loop;
  playing_ = true;
  paused_ = false;
  draining_ = false;
}

void FileVoice::Stop() {
  playing_ = false;
  paused_ = false;
  if (draining_) rewind_ = true;
  draining_ = false;
  SDL_AudioStreamClear(stream_);
}

void FileVoice::Pause() {
  if (playing_) paused_ = true;
}

void FileVoice::Cue(int64_t frame) {
  Stop();
  rewind_ = false;
  Seek(std::clamp<int64_t>(frame, 0, info_.frames));
}

void FileVoice::Finish() {
  playing_ = false;
  draining_ = false;
  SDL_AudioStreamClear(stream_);
  // After the natural end the next plain play starts over, as the platform's
  // players do; an end set by "to" leaves the position there.
  if (end_ >= info_.frames) rewind_ = true;
}

void FileVoice::MixInto(float* mix, size_t frames) {
  if (!playing_ || paused_) return;
  const size_t channels = static_cast<size_t>(info_.channels);
  bool read_since_rewind = true;
  while (frames > 0) {
    int available = SDL_AudioStreamAvailable(stream_);
    if (available > 0) {
      size_t n = std::min<size_t>({frames, static_cast<size_t>(available) / (sizeof(float) * kOutputChannels),
                                   kChunkFrames});
      if (n == 0) n = 1;
      int got = SDL_AudioStreamGet(stream_, converted_.data(), static_cast<int>(n * sizeof(float) * kOutputChannels));
      if (got <= 0) break;
      size_t samples = static_cast<size_t>(got) / sizeof(float);
      for (size_t i = 0; i < samples; ++i) mix[i] += converted_[i];
      mix += samples;
      frames -= samples / kOutputChannels;
      continue;
    }
    if (draining_) {
      Finish();
      return;
    }
    int64_t left = end_ - position_;
    sf_count_t got = 0;
    if (left > 0) got = sf_readf_float(file_, decoded_.data(), std::min<int64_t>(left, kChunkFrames));
    if (got > 0) {
      read_since_rewind = true;
      position_ += got;
      SDL_AudioStreamPut(stream_, decoded_.data(), static_cast<int>(got * channels * sizeof(float)));
      continue;
    }
    if (loop_ && read_since_rewind) {
      // Straight on from the start within the same block: no gap.
      read_since_rewind = false;
      if (sf_seek(file_, 0, SEEK_SET) >= 0) {
        position_ = 0;
        continue;
      }
    }
    SDL_AudioStreamFlush(stream_);
    draining_ = true;
  }
}

}  // namespace qg::music
