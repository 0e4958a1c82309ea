#include "snapshot_path.h"

#include "hosted_window.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qg {

namespace {

constexpr const char* kFileName = "Wobblevista.bmp";

// A folder we may use: a real folder (lstat, so a planted link is refused),
// ours, and closed to everybody else.
bool IsOurPrivateFolder(const std::string& folder) {
  struct stat st;
  if (lstat(folder.c_str(), &st) != 0) return false;
  if (!S_ISDIR(st.st_mode) || st.st_uid != getuid()) return false;
  if ((st.st_mode & 077) != 0 && chmod(folder.c_str(), 0700) != 0) return false;
  return true;
}

}  // namespace

std::string SnapshotFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/') return std::string(runtime) + "/kestrow";
  return "/tmp/kestrow-" + std::to_string(static_cast<unsigned long>(getuid()));
}

std::string SnapshotFilePath() {
  // Each hosted show (one per monitor under the daemon) has its own picture.
  if (const unsigned long window = HostedWindowFromEnvironment())
    return SnapshotFolder() + "/Wobblevista-" + std::to_string(window) + ".bmp";
  return SnapshotFolder() + "/" + kFileName;
}

bool EnsureSnapshotFolder() {
  const std::string folder = SnapshotFolder();
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  return IsOurPrivateFolder(folder);
}

int OpenSnapshotForReading(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != getuid()) {
    close(fd);
    return -1;
  }
  // O_NONBLOCK only kept a FIFO from hanging the open; reads are ordinary.
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

}  // namespace qg
