#include "private_folder.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace qg {

std::string PrivateRuntimeFolder(const std::string& name) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/') return std::string(runtime) + "/" + name;
  return "/tmp/" + name + "-" + std::to_string(static_cast<unsigned long>(getuid()));
}

bool EnsurePrivateFolder(const std::string& folder) {
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  // lstat: a planted link is refused.
  struct stat st;
  if (lstat(folder.c_str(), &st) != 0) return false;
  if (!S_ISDIR(st.st_mode) || st.st_uid != getuid()) return false;
  // Open to others, or closed to its owner (a folder made read-only, where
  // an old snapshot could neither be removed nor replaced): 0700 again.
  if ((st.st_mode & 0777) != 0700 && chmod(folder.c_str(), 0700) != 0) return false;
  return true;
}

}  // namespace qg
