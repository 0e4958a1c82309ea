// The file-system services on Linux (POSIX calls only).
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "file_system.h"

namespace qg {
namespace {

class PosixFileSystem : public FileSystem {
 public:
  bool IsReadableFile(const std::string& path) override {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return false;
    if (!S_ISREG(st.st_mode)) return false;
    return ::access(path.c_str(), R_OK) == 0;
  }

  bool IsWritableFolder(const std::string& path) override {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    return ::access(path.c_str(), W_OK | X_OK) == 0;
  }

  bool MakeFolder(const std::string& path, bool private_mode) override {
    return ::mkdir(path.c_str(), private_mode ? 0700 : 0777) == 0;
  }

  ReadStatus ReadFile(const std::string& path, std::size_t max_bytes, std::string& bytes) override {
    bytes.clear();
    // O_NONBLOCK: a FIFO put in the file's place must not hang the program.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Failed;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      return ReadStatus::Failed;
    }
    if (st.st_size < 0 || std::size_t(st.st_size) > max_bytes) {
      ::close(fd);
      return ReadStatus::TooLarge;
    }
    char buf[65536];
    for (;;) {
      ssize_t n = ::read(fd, buf, sizeof buf);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        ::close(fd);
        bytes.clear();
        return ReadStatus::Failed;
      }
      if (n == 0) break;
      bytes.append(buf, std::size_t(n));
      if (bytes.size() > max_bytes) {  // the file grew while we read it
        ::close(fd);
        bytes.clear();
        return ReadStatus::TooLarge;
      }
    }
    ::close(fd);
    return ReadStatus::Ok;
  }

  bool ReplaceFile(const std::string& path, const std::string& bytes) override {
    // Write a sibling, then rename it over the file, so that a crash or a full
    // disk never leaves half a settings file behind.
    std::string target = path;
    char resolved[PATH_MAX];
    struct stat lst;
    if (::lstat(path.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode) && ::realpath(path.c_str(), resolved))
      target = resolved;  // keep a link the user made; replace what it points to
    mode_t mode = 0644;
    struct stat st;
    bool existed = ::stat(target.c_str(), &st) == 0;
    if (existed) mode = st.st_mode & 07777;
    std::string tmp = target + ".tmp-" + std::to_string(::getpid());
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) return false;
    std::size_t off = 0;
    while (off < bytes.size()) {
      ssize_t n = ::write(fd, bytes.data() + off, bytes.size() - off);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        ::close(fd);
        ::unlink(tmp.c_str());
        return false;
      }
      off += std::size_t(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
      ::unlink(tmp.c_str());
      return false;
    }
    if (existed) (void)::fchmodat(AT_FDCWD, tmp.c_str(), mode, 0);
    if (::rename(tmp.c_str(), target.c_str()) != 0) {
      ::unlink(tmp.c_str());
      return false;
    }
    return true;
  }

  bool RemoveFile(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

  std::string Env(const std::string& name) override {
    const char* v = std::getenv(name.c_str());
    return v ? std::string(v) : std::string();
  }

  std::string HomeFolder() override {
    std::string home = Env("HOME");
    if (!home.empty()) return home;
    if (const passwd* pw = ::getpwuid(::getuid())) return pw->pw_dir ? pw->pw_dir : "";
    return {};
  }

  std::string ProgramFolder() override {
    char buf[PATH_MAX + 1];
    ssize_t n = ::readlink("/proc/self/exe", buf, PATH_MAX);
    if (n <= 0) return ".";
    std::string exe(buf, std::size_t(n));
    std::size_t pos = exe.rfind('/');
    if (pos == std::string::npos) return ".";
    if (pos == 0) return "/";
    return exe.substr(0, pos);
  }
};

}  // namespace

FileSystem& DefaultFileSystem() {
  static PosixFileSystem fs;
  return fs;
}

}  // namespace qg
