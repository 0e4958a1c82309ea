// The file-system services the host's portable logic needs, behind an
// interface so that the logic stays free of platform headers.
#pragma once

#include <cstddef>
#include <string>

namespace qg {

enum class ReadStatus { Ok, Missing, TooLarge, Failed };

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // A regular file that this user may read. Never opens the file, so a FIFO
  // or a device cannot block the caller.
  virtual bool IsReadableFile(const std::string& path) = 0;
  // A folder in which this user may create and replace files.
  virtual bool IsWritableFolder(const std::string& path) = 0;
  // Creates one folder level; false when it exists already or fails.
  virtual bool MakeFolder(const std::string& path, bool private_mode) = 0;
  // Reads a whole regular file of at most max_bytes.
  virtual ReadStatus ReadFile(const std::string& path, std::size_t max_bytes, std::string& bytes) = 0;
  // Replaces the file's content as a whole (a reader never sees half of it).
  virtual bool ReplaceFile(const std::string& path, const std::string& bytes) = 0;
  // Removes a file; false when it could not be removed.
  virtual bool RemoveFile(const std::string& path) = 0;
  // An environment value, "" when unset.
  virtual std::string Env(const std::string& name) = 0;
  // The user's home folder, "" when unknown.
  virtual std::string HomeFolder() = 0;
  // The folder the running program lies in, without a trailing separator.
  virtual std::string ProgramFolder() = 0;
};

// The running platform's file system.
FileSystem& DefaultFileSystem();

}  // namespace qg
