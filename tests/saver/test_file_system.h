// The real file system with the program folder, and the home and
// XDG_CONFIG_HOME, of the test's choosing; for the settings file's tests on
// both platforms.
#pragma once

#include <string>
#include <utility>

#include "file_system.h"

namespace qgtest {

class TestFileSystem : public qg::FileSystem {
 public:
  explicit TestFileSystem(std::string program) : program_(std::move(program)) {}
  bool IsReadableFile(const std::string& p) override { return real().IsReadableFile(p); }
  bool IsWritableFolder(const std::string& p) override { return !read_only_program_ && real().IsWritableFolder(p); }
  bool MakeFolder(const std::string& p, bool priv) override { return real().MakeFolder(p, priv); }
  qg::ReadStatus ReadFile(const std::string& p, std::size_t max, std::string& b) override {
    return real().ReadFile(p, max, b);
  }
  // The replace that finds `replaces_left` at 0 fails (a disk full for a
  // moment); the others succeed. -1: none fails.
  bool ReplaceFile(const std::string& p, const std::string& b) override {
    return replaces_left-- != 0 && real().ReplaceFile(p, b);
  }
  bool RemoveFile(const std::string& p) override { return real().RemoveFile(p); }
  std::string Env(const std::string& n) override { return n == "XDG_CONFIG_HOME" ? xdg_ : std::string(); }
  std::string HomeFolder() override { return home_; }
  std::string ProgramFolder() override { return program_; }

  std::string program_, xdg_, home_;
  bool read_only_program_ = false;
  int replaces_left = -1;

 private:
  static qg::FileSystem& real() { return qg::DefaultFileSystem(); }
};

}  // namespace qgtest
