// The set-up of every test here: a private X server, the test's own client on
// it (which also reads the screen back), a private runtime folder, and the
// programs started there.
#pragma once

// gtest first: Xlib defines names gtest uses.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bmp_format.h"
#include "process.h"
#include "test_xserver.h"
#include "x_client.h"

using namespace std::chrono_literals;
using qgtest::ReadFile;
using qgtest::WaitUntil;

struct Rgb {
  int r = 0, g = 0, b = 0;
};
inline bool Near(const Rgb& a, const Rgb& b, int tolerance = 12) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}
inline std::string ToString(const Rgb& c) {
  return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}
// On the test servers' 24-bit screens.
inline unsigned long PixelValue(const Rgb& c) { return (unsigned long)c.r << 16 | (unsigned long)c.g << 8 | c.b; }
// A window id as the daemon writes it: "0x..." in hex.
inline std::string HexWindowId(unsigned long window) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%lx", window);
  return text;
}

// A snapshot file as the host writes it (32 bits a pixel, through the host's
// own writer) whose left half is one colour and right half another.
inline std::string TwoColourBitmap(int width, int height, Rgb left, Rgb right) {
  const qg::show::DesktopPicture picture = qg::show::DesktopPicture::Allocate(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const Rgb& c = x < width / 2 ? left : right;
      uint8_t* px = picture.Row(y) + 4 * x;
      px[0] = uint8_t(c.b), px[1] = uint8_t(c.g), px[2] = uint8_t(c.r), px[3] = 0;
    }
  const std::vector<uint8_t> file = qg::show::EncodeBmp(picture);
  return std::string(file.begin(), file.end());
}

constexpr const char* kCaption = "Wobblevista_VC";
// The snapshots' colours, and the white of sheets without a picture.
const Rgb kBlue{30, 144, 255}, kOrange{255, 140, 0}, kWhite{255, 255, 255};

class OnTestServer : public ::testing::Test, protected qgtest::XClient {
 protected:
  ~OnTestServer() override { Disconnect(); }
  void StartServer(qgtest::TestXServer::Kind kind = qgtest::TestXServer::Kind::Xvfb) {
    server_ = std::make_unique<qgtest::TestXServer>(kind);
    ASSERT_TRUE(server_->ok()) << server_->error();
    ASSERT_TRUE(Connect(server_->display()));
  }

  Window MapWindow(int x, int y, int width, int height, const Rgb& colour) {
    return XClient::MapWindow(x, y, width, height, PixelValue(colour));
  }

  // The screen read back: one pixel, the pixels of an area not near a colour
  // (-1 when unreadable), and whether the 2 x 2 block at (x, y) is the colour
  // (the test server's root weave never is, over four neighbouring pixels).
  Rgb Pixel(int x, int y) {
    Rgb c{-1, -1, -1};
    ReadScreen(x, y, 1, 1, [&](int r, int g, int b) { c = {r, g, b}; });
    return c;
  }
  long PixelsNot(int x, int y, int width, int height, const Rgb& colour) {
    long count = 0;
    return ReadScreen(x, y, width, height, [&](int r, int g, int b) { count += !Near({r, g, b}, colour); }) ? count : -1;
  }
  bool BlockIs(int x, int y, const Rgb& colour) { return PixelsNot(x, y, 2, 2, colour) == 0; }

  // Quiverglide.dll or Quiverglide.scr with this server's DISPLAY and the
  // private runtime folder, its errors to Stderr().
  std::unique_ptr<qgtest::Process> Start(const std::string& program, const std::vector<std::string>& args = {},
                                         const std::map<std::string, std::string>& env = {}) {
    qgtest::ProcessOptions options;
    options.argv = {qgtest::BinDir() + "/" + program};
    options.argv.insert(options.argv.end(), args.begin(), args.end());
    options.env = env;
    options.env.insert({{"DISPLAY", server_->display()}, {"XDG_RUNTIME_DIR", runtime_.path()}});
    options.stderr_path = runtime_.path() + "/stderr.txt";
    return std::make_unique<qgtest::Process>(options);
  }
  std::string Stderr() const { return ReadFile(runtime_.path() + "/stderr.txt"); }
  // Writes the snapshot the renderer reads (the plain one, or the hosted
  // show's one named for its window), the folder private as it requires.
  void WriteSnapshot(const std::string& bytes, Window window = 0) {
    mkdir((runtime_.path() + "/kestrow").c_str(), 0700);
    const std::string name = window ? "Wobblevista-" + std::to_string(window) + ".bmp" : "Wobblevista.bmp";
    std::ofstream(runtime_.path() + "/kestrow/" + name, std::ios::binary | std::ios::trunc) << bytes;
  }
  // Whether the floor (near the bottom edge) and the canopy (near the top) of
  // a show of the size at (x, y) show the colours left and right of the centre
  // (straight ahead the picture's middle lies under it); Describe, what they show.
  bool SheetsShow(const Rgb& left, const Rgb& right, int x = 0, int y = 0, int width = 1024, int height = 768) {
    for (int i = 0; i < 4; ++i)
      if (!BlockIs(SheetX(i, x, width), SheetY(i, y, height), i % 2 ? right : left)) return false;
    return true;
  }
  std::string Describe(int x = 0, int y = 0, int width = 1024, int height = 768) {
    std::string s;
    for (int i = 0; i < 4; ++i) s += ToString(Pixel(SheetX(i, x, width), SheetY(i, y, height))) + " ";
    return s;
  }

  std::unique_ptr<qgtest::TestXServer> server_;
  qgtest::TempDir runtime_;

 private:
  // The four sheet points: floor left, floor right, canopy left, canopy right.
  static int SheetX(int i, int x, int width) { return x + (i % 2 ? width * 3 / 4 : width / 4); }
  static int SheetY(int i, int y, int height) { return y + (i < 2 ? height * 740 / 768 : height * 30 / 768); }
};
