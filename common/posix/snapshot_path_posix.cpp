#include "snapshot_path.h"

#include "hosted_window.h"
#include "private_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qg {

namespace {

constexpr const char* kFileName = "Wobblevista.bmp";

}  // namespace

std::string SnapshotFolder() { return PrivateRuntimeFolder("kestrow"); }

std::string SnapshotFilePath() {
  // Each hosted show (one per monitor under the daemon) has its own picture.
  if (const unsigned long window = HostedWindowFromEnvironment())
    return SnapshotFolder() + "/Wobblevista-" + std::to_string(window) + ".bmp";
  return SnapshotFolder() + "/" + kFileName;
}

bool EnsureSnapshotFolder() { return EnsurePrivateFolder(SnapshotFolder()); }

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
