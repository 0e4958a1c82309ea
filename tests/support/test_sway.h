// A private headless Wayland compositor (sway on wlroots' headless back end,
// software rendering) for one test. sway refuses to run as root, so it runs as
// an unprivileged user made for the tests, in a runtime folder of its own; the
// programs under test connect to its socket by its full path, so a test never
// touches the caller's session. The destructor stops it.
#pragma once

#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

namespace qgtest {

// A screen read back: rows top first, red, green, blue bytes.
struct RgbPicture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
  const unsigned char* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

class TestSway {
 public:
  // extra_config: lines added to a config whose first output, HEADLESS-1, is
  // width x height with a plain background of `background` ("#3060c0").
  explicit TestSway(int width = 1024, int height = 768, const std::string& background = "#3060c0",
                    const std::string& extra_config = "");
  ~TestSway();
  TestSway(const TestSway&) = delete;
  TestSway& operator=(const TestSway&) = delete;

  // True when sway, grim, wtype and swaymsg are installed and we are root.
  static bool Available();
  bool ok() const { return !socket_.empty(); }
  const std::string& error() const { return error_; }

  // WAYLAND_DISPLAY for clients: the socket's full path.
  const std::string& socket() const { return socket_; }
  // What a client of this session is started with: WAYLAND_DISPLAY, and no
  // DISPLAY, so nothing can fall back to an X server.
  std::map<std::string, std::string> ClientEnv() const;

  // swaymsg with the arguments; its output ("" on failure).
  std::string Msg(const std::vector<std::string>& args) const;
  // The whole layout, or one output ("HEADLESS-2"), read back with grim.
  bool Screenshot(RgbPicture* picture, const std::string& output = "") const;
  // A key pressed on a virtual keyboard (wtype), after the keyboard has been
  // announced for half a second, so that clients have bound it.
  bool PressKey(const std::string& key) const;

 private:
  pid_t pid_ = -1;
  std::string dir_;
  std::string runtime_;
  std::string socket_;
  std::string ipc_;
  std::string error_;
};

// A whole command's standard output, or "" when it failed.
std::string RunCapture(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env);

}  // namespace qgtest
