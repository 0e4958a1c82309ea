// The set-up of every test here: a private X server, the test's own client
// on it, a private runtime folder for the snapshot, and the programs started
// on that server.
#pragma once

// gtest first: Xlib defines names gtest uses.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "process.h"
#include "test_xserver.h"

using namespace std::chrono_literals;
using qgtest::ReadFile;
using qgtest::WaitUntil;

struct Rgb {
  int r = 0, g = 0, b = 0;
};
bool Near(const Rgb& a, const Rgb& b, int tolerance = 12);
std::string ToString(const Rgb& c);

constexpr const char* kCaption = "Wobblevista_VC";

// The test's own X client on the server: it finds windows, reads the screen
// back, types and reads the RandR outputs.
class OnTestServer : public ::testing::Test {
 protected:
  ~OnTestServer() override;
  void StartServer(qgtest::TestXServer::Kind kind = qgtest::TestXServer::Kind::Xvfb);
  Display* display() const { return display_; }

  // The windows anywhere in the tree whose WM_NAME is the caption.
  std::vector<Window> WindowsCaptioned(const std::string& caption);
  Window FindWindowByCaption(const std::string& caption);  // 0 when none
  // A plain top-level window of one colour, mapped outside any window
  // manager's say, as the screensaver daemon makes its own.
  Window MapWindow(int x, int y, int width, int height, const Rgb& colour);

  // The screen read back from the root window: one pixel, the pixels of an
  // area not near a colour (-1 when unreadable), and whether the 2 x 2 block
  // at (x, y) is the colour (the test server's root weave never is one colour
  // over four neighbouring pixels).
  Rgb Pixel(int x, int y);
  long PixelsNot(int x, int y, int width, int height, const Rgb& colour);
  bool BlockIs(int x, int y, const Rgb& colour) { return PixelsNot(x, y, 2, 2, colour) == 0; }

  void Key(const char* keysymName);
  void MoveTo(int x, int y);
  // WM_PROTOCOLS / WM_DELETE_WINDOW, as a window manager or any program sends it.
  void SendDeleteWindow(Window window);

  // Whether a CRTC shows exactly this area, and the screen's size.
  bool HasCrtc(int x, int y, int width, int height);
  void ScreenSize(int* width, int* height);
  // The server's own screensaver: its idle timeout, and whether it is on now.
  void SetSaverTimeout(int seconds);
  bool SaverOn();

  // Quiverglide.dll or Quiverglide.scr with this server's DISPLAY and the
  // private runtime folder, its errors to Stderr().
  std::unique_ptr<qgtest::Process> Start(const std::string& program, const std::vector<std::string>& args = {},
                                         const std::map<std::string, std::string>& env = {});
  std::string Stderr() const { return ReadFile(runtime_.path() + "/stderr.txt"); }
  // Writes the snapshot the renderer reads (the plain one, or the hosted
  // show's one named for its window), the folder private as it requires.
  void WriteSnapshot(const std::string& bytes, Window window = 0);
  // Whether the floor (near the bottom edge) and the canopy (near the top)
  // show the colours left and right of the centre, in a show of the size at
  // (x, y): straight ahead the picture's middle lies under the centre line.
  // Describe gives what those points show.
  bool SheetsShow(const Rgb& left, const Rgb& right, int x = 0, int y = 0, int width = 1024, int height = 768);
  std::string Describe(int x = 0, int y = 0, int width = 1024, int height = 768);

  // Declared first, so the server goes last.
  std::unique_ptr<qgtest::TestXServer> server_;
  qgtest::TempDir runtime_;
  Display* display_ = nullptr;
};

// A snapshot file as the host writes it (32 bits a pixel, through the host's
// own writer) whose left half is one colour and right half another.
std::string TwoColourBitmap(int width, int height, Rgb left, Rgb right);
// A window id as the daemon writes it: "0x..." in hex.
std::string HexWindowId(unsigned long window);
unsigned long PixelValue(const Rgb& c);  // on the test servers' 24-bit screens
