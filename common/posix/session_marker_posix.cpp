// The mark as a lock on a file of the user's private runtime folder. The lock
// belongs to the open file (not to the process's other descriptors of it), is
// taken in one system call, and the kernel drops it when its process ends.
#include "session_marker.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "private_folder.h"

namespace qg {

namespace {

// Captions and display names hold characters a file name should not ("/",
// "<"): anything but letters, digits, "-" and "_" is written as "%XX".
std::string Escaped(const std::string& text) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_') {
      out += char(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

std::string MarkerFolder() { return PrivateRuntimeFolder("quiverglide"); }

std::string MarkerPath(const std::string& session, const std::string& name) {
  return MarkerFolder() + "/" + Escaped(session) + "." + Escaped(name) + ".lock";
}

struct flock WholeFile(short type) {
  struct flock lock = {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  return lock;
}

}  // namespace

bool SessionMarker::Claim(const std::string& session, const std::string& name) {
  if (held()) return true;
  if (!EnsurePrivateFolder(MarkerFolder())) return false;
  // Close-on-exec: a program we start must not carry our mark away with it.
  const int fd = open(MarkerPath(session, name).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  struct flock lock = WholeFile(F_WRLCK);
  if (fcntl(fd, F_OFD_SETLK, &lock) != 0) {
    close(fd);
    return false;
  }
  handle_ = fd;
  return true;
}

void SessionMarker::Release() {
  if (!held()) return;
  close(static_cast<int>(handle_));
  handle_ = kNone;
}

bool SessionMarkerHeld(const std::string& session, const std::string& name) {
  const int fd = open(MarkerPath(session, name).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  struct flock lock = WholeFile(F_WRLCK);
  const bool held = fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
  close(fd);
  return held;
}

}  // namespace qg
