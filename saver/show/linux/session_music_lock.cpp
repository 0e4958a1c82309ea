#include "session_music_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace qg::show {

SessionMusicLock::~SessionMusicLock() {
  if (fd_ >= 0) close(fd_);
}

bool SessionMusicLock::TryTake(const std::string& path) {
  if (fd_ >= 0) return true;
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

}  // namespace qg::show
