// A second X client for the end-to-end tests: it finds windows by caption,
// reads pixels back from the screen, types and clicks through XTest, sends
// close requests, and reads the RandR mode of the output at (0, 0).
#pragma once

#include <X11/Xlib.h>
#include <cstdint>
#include <string>

struct Rgb {
  int r = 0, g = 0, b = 0;
};
bool Near(const Rgb& a, const Rgb& b, int tolerance = 12);
std::string ToString(const Rgb& c);

class X11Probe {
 public:
  explicit X11Probe(const std::string& displayName);
  ~X11Probe();
  X11Probe(const X11Probe&) = delete;
  X11Probe& operator=(const X11Probe&) = delete;
  bool ok() const { return display_ != nullptr; }
  Display* display() const { return display_; }

  // A top-level window (or a child of a window manager's frame) whose WM_NAME
  // is the caption; 0 when none.
  Window FindWindowByCaption(const std::string& caption);
  std::string TextProperty(Window window, const char* property, const char* type);
  std::string ClassHint(Window window);
  Window TransientFor(Window window);
  bool Geometry(Window window, int* x, int* y, int* width, int* height);

  // The screen's colour at (x, y), read back from the root window.
  Rgb Pixel(int x, int y);

  void Key(const char* keysymName);
  void MoveTo(int x, int y);
  void Click(int button);
  // WM_PROTOCOLS / WM_DELETE_WINDOW, as a window manager or any program sends it.
  void SendDeleteWindow(Window window);

  // The current mode of the output whose CRTC is at (0, 0), and the screen size.
  bool CurrentMode(int* width, int* height);
  void ScreenSize(int* width, int* height);
  // The server's own screensaver: its idle timeout, and whether it is on now.
  void SetSaverTimeout(int seconds);
  bool SaverOn();

 private:
  Window Search(Window w, const std::string& caption);
  Display* display_ = nullptr;
};
