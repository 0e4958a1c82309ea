#include "snapshot_writer.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <vector>

#include "bmp_format.h"

namespace qg::show {

namespace {

// Writes every iovec completely, resuming after short writes.
bool WriteAll(int fd, std::vector<iovec>& parts) {
  size_t first = 0;
  while (first < parts.size()) {
    const int count = static_cast<int>(std::min<size_t>(parts.size() - first, IOV_MAX));
    ssize_t n = writev(fd, &parts[first], count);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    size_t left = static_cast<size_t>(n);
    while (first < parts.size() && left >= parts[first].iov_len) left -= parts[first++].iov_len;
    if (left > 0) {
      parts[first].iov_base = static_cast<char*>(parts[first].iov_base) + left;
      parts[first].iov_len -= left;
    }
  }
  return true;
}

}  // namespace

bool WriteSnapshotFile(const DesktopPicture& picture, const std::string& path) {
  const BmpPieces pieces(picture);
  if (pieces.count() == 0) return false;
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  std::string temp = folder + "/.Wobblevista.bmp.XXXXXX";
  // mkstemp creates the file with mode 0600 and O_EXCL, so nothing planted in
  // the folder is followed or reused.
  int fd = mkstemp(temp.data());
  if (fd < 0) return false;

  // The rows go out straight from the captured buffer: no copy.
  std::vector<iovec> parts;
  parts.reserve(pieces.count());
  for (size_t i = 0; i < pieces.count(); ++i) parts.push_back({const_cast<uint8_t*>(pieces.data(i)), pieces.size(i)});
  bool ok = WriteAll(fd, parts);
  ok = fchmod(fd, 0600) == 0 && ok;
  ok = close(fd) == 0 && ok;
  if (ok) ok = rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) unlink(temp.c_str());
  return ok;
}

void RemoveSnapshotFile(const std::string& path) { unlink(path.c_str()); }

}  // namespace qg::show
