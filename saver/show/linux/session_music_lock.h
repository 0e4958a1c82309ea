// One music per session of the screensaver daemon, which runs one host per
// monitor: the first host to take this lock plays, the others stay silent.
// The lock is a file lock, so it is given back however the holder ends, a
// kill included.
#pragma once

#include <string>

namespace qg::show {

class SessionMusicLock {
 public:
  SessionMusicLock() = default;
  ~SessionMusicLock();
  SessionMusicLock(const SessionMusicLock&) = delete;
  SessionMusicLock& operator=(const SessionMusicLock&) = delete;

  // Takes the lock file at path without waiting; false when another process
  // holds it or the file cannot be opened.
  bool TryTake(const std::string& path);

 private:
  int fd_ = -1;
};

}  // namespace qg::show
