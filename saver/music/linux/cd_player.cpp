#include "cd_player.h"

#include <algorithm>

namespace qg::music {

namespace {
// About 1.5 s of audio: enough to ride over a slow read, small enough that a
// new play position is heard at once (the buffer is dropped anyway).
constexpr size_t kRingFrames = 66150;
constexpr int kSectorsPerRead = 8;
}  // namespace

CdPlayer::~CdPlayer() {
  if (thread_.joinable()) thread_.detach();
}

void CdPlayer::Start(const std::string& source) {
  ring_.assign(kRingFrames * 2, 0);
  // The thread keeps the player alive, so closing never has to wait for a
  // drive that does not answer.
  std::shared_ptr<CdPlayer> self = shared_from_this();
  thread_ = std::thread([self, source] { self->Run(source); });
}

void CdPlayer::Shutdown(std::chrono::milliseconds grace) {
  std::unique_lock<std::mutex> lock(mutex_);
  quit_ = true;
  playing_ = false;
  changed_.notify_all();
  bool done = changed_.wait_for(lock, grace, [this] { return finished_; });
  lock.unlock();
  if (!thread_.joinable()) return;
  if (done) {
    thread_.join();
  } else {
    thread_.detach();
  }
}

CdPlayer::DiscState CdPlayer::State(std::chrono::milliseconds wait, DiscToc* toc) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait_for(lock, wait, [this] { return state_ != DiscState::kOpening; });
  if (toc) *toc = toc_;
  return state_;
}

void CdPlayer::Play(int32_t from, int32_t to) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (state_ != DiscState::kReady) return;
  int32_t end = (to < 0 || to > toc_.LeadOut()) ? toc_.LeadOut() : to;
  ++generation_;
  ring_head_ = 0;
  ring_frames_ = 0;
  play_frame_ = static_cast<int64_t>(from) * kFramesPerSector;
  fetch_sector_ = from;
  end_frame_ = static_cast<int64_t>(end) * kFramesPerSector;
  playing_ = from < end;
  paused_ = false;
  changed_.notify_all();
}

void CdPlayer::Stop() {
  std::lock_guard<std::mutex> lock(mutex_);
  playing_ = false;
  paused_ = false;
  ++generation_;
  ring_frames_ = 0;
  changed_.notify_all();
}

void CdPlayer::Pause() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (playing_) paused_ = true;
}

void CdPlayer::Resume() {
  std::lock_guard<std::mutex> lock(mutex_);
  paused_ = false;
}

bool CdPlayer::Playing() {
  std::lock_guard<std::mutex> lock(mutex_);
  return playing_ && !paused_;
}

bool CdPlayer::Paused() {
  std::lock_guard<std::mutex> lock(mutex_);
  return playing_ && paused_;
}

int32_t CdPlayer::PositionSector() {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int32_t>(play_frame_ / kFramesPerSector);
}

void CdPlayer::MixInto(float* mix, size_t frames) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!playing_ || paused_) return;
  size_t n = std::min<size_t>(frames, ring_frames_);
  n = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(n), end_frame_ - play_frame_));
  for (size_t i = 0; i < n; ++i) {
    size_t at = (ring_head_ + i) % kRingFrames;
    mix[2 * i] += ring_[2 * at] / 32768.0f;
    mix[2 * i + 1] += ring_[2 * at + 1] / 32768.0f;
  }
  ring_head_ = (ring_head_ + n) % kRingFrames;
  ring_frames_ -= n;
  play_frame_ += static_cast<int64_t>(n);
  if (play_frame_ >= end_frame_) {
    playing_ = false;
    ring_frames_ = 0;
    ++generation_;
    // At the end of the disc the next plain play starts it over.
    if (end_frame_ >= static_cast<int64_t>(toc_.LeadOut()) * kFramesPerSector) {
      play_frame_ = static_cast<int64_t>(toc_.TrackStart(toc_.first_track)) * kFramesPerSector;
    }
  }
  if (n) changed_.notify_all();
}

void CdPlayer::Run(std::string source) {
  CdDisc disc;
  bool opened = disc.Open(source);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (opened) {
      toc_ = disc.Toc();
      play_frame_ = static_cast<int64_t>(toc_.TrackStart(toc_.first_track)) * kFramesPerSector;
    }
    state_ = opened ? DiscState::kReady : DiscState::kNoDisc;
    changed_.notify_all();
  }
  std::vector<int16_t> block(static_cast<size_t>(kSectorsPerRead) * kFramesPerSector * 2);
  std::unique_lock<std::mutex> lock(mutex_);
  while (opened && !quit_) {
    changed_.wait(lock, [this] {
      return quit_ || (playing_ && fetch_sector_ * static_cast<int64_t>(kFramesPerSector) < end_frame_ &&
                       RingFree() >= static_cast<size_t>(kSectorsPerRead) * kFramesPerSector);
    });
    if (quit_) break;
    uint64_t generation = generation_;
    int32_t sector = fetch_sector_;
    int count = static_cast<int>(std::min<int64_t>(
        kSectorsPerRead, (end_frame_ + kFramesPerSector - 1) / kFramesPerSector - sector));
    lock.unlock();
    for (int i = 0; i < count; ++i) disc.ReadSector(sector + i, block.data() + static_cast<size_t>(i) * kFramesPerSector * 2);
    lock.lock();
    if (generation != generation_) continue;  // a new position was asked for meanwhile
    size_t frames = static_cast<size_t>(count) * kFramesPerSector;
    for (size_t i = 0; i < frames; ++i) {
      size_t at = (ring_head_ + ring_frames_ + i) % kRingFrames;
      ring_[2 * at] = block[2 * i];
      ring_[2 * at + 1] = block[2 * i + 1];
    }
    ring_frames_ += frames;
    fetch_sector_ = sector + count;
  }
  finished_ = true;
  changed_.notify_all();
}

}  // namespace qg::music
