// A private X server for one test: Xvfb, or Xorg with the dummy driver where a
// real display-mode switch is needed. The server picks a free display number
// itself (-displayfd checks the lock files), so a test never touches the
// caller's display. The destructor stops the server.
#pragma once

#include <string>
#include <sys/types.h>

namespace qgtest {

class TestXServer {
 public:
  enum class Kind { Xvfb, XorgDummy };

  // width/height/depth apply to Xvfb; the dummy Xorg starts at 1280 x 1024
  // with 1024 x 768 among its modes (scripts/xorg-dummy.conf).
  explicit TestXServer(Kind kind = Kind::Xvfb, int width = 1024, int height = 768, int depth = 24);
  ~TestXServer();
  TestXServer(const TestXServer&) = delete;
  TestXServer& operator=(const TestXServer&) = delete;

  bool ok() const { return display_number_ >= 0; }
  const std::string& error() const { return error_; }
  // ":N", for DISPLAY.
  std::string display() const;
  pid_t pid() const { return pid_; }

  // True when the dummy Xorg can be used here (root, binary and driver present).
  static bool XorgDummyAvailable();

 private:
  pid_t pid_ = -1;
  int display_number_ = -1;
  std::string error_;
  std::string log_path_;
};

}  // namespace qgtest
