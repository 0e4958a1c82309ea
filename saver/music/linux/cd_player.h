// Plays an audio CD through the sound output. Its own thread opens the drive
// or image and reads the audio ahead into a buffer, so that a disc spinning
// up never holds up the caller; the caller only ever sees the last known state.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "audio_output.h"
#include "cd_disc.h"
#include "cd_time.h"

namespace qg::music {

class CdPlayer final : public Voice, public std::enable_shared_from_this<CdPlayer> {
 public:
  enum class DiscState { kOpening, kReady, kNoDisc };

  CdPlayer() = default;
  ~CdPlayer() override;

  // Starts the thread, which opens `source` (see CdDisc::ChosenSource).
  void Start(const std::string& source);
  // Asks the thread to end; waits up to `grace` for it, then lets it finish
  // on its own (it holds the player alive until then).
  void Shutdown(std::chrono::milliseconds grace);

  // The state of the disc, waiting up to `wait` while it is still being opened.
  DiscState State(std::chrono::milliseconds wait, DiscToc* toc = nullptr);

  // Plays sectors [from, to); the lead-out when `to` is negative.
  void Play(int32_t from, int32_t to);
  void Stop();  // keeps the position
  void Pause();
  void Resume();
  bool Playing();
  bool Paused();
  int32_t PositionSector();

  void MixInto(float* mix, size_t frames) override;

 private:
  void Run(std::string source);
  size_t RingFree() const { return ring_.size() / 2 - ring_frames_; }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::thread thread_;
  bool quit_ = false;
  bool finished_ = false;

  DiscState state_ = DiscState::kOpening;
  DiscToc toc_;

  // Audio already read, in order from play_frame_ on.
  std::vector<int16_t> ring_;
  size_t ring_head_ = 0;  // in frames
  size_t ring_frames_ = 0;
  uint64_t generation_ = 0;   // changes whenever the buffered audio is dropped
  int64_t play_frame_ = 0;    // next frame to be heard (sector * 588 + offset)
  int64_t end_frame_ = 0;
  int32_t fetch_sector_ = 0;  // next sector to read
  bool playing_ = false;
  bool paused_ = false;
};

}  // namespace qg::music
