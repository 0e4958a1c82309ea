#include "renderer_run.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/scrnsaver.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "bmp_format.h"

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

std::string ToString(const Rgb& c) {
  return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

unsigned long PixelValue(const Rgb& c) {
  return (static_cast<unsigned long>(c.r) << 16) | (static_cast<unsigned long>(c.g) << 8) | c.b;
}

namespace {

// Windows come and go while the test looks (the error box closes between a
// tree query and a property read): a vanished window is an empty answer,
// not a reason for Xlib to end the test.
int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

void Search(Display* d, Window w, const std::string& caption, std::vector<Window>& found) {
  char* name = nullptr;
  if (XFetchName(d, w, &name) && name) {
    if (caption == name) found.push_back(w);
    XFree(name);
  }
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(d, w, &root, &parent, &children, &count)) return;
  for (unsigned i = 0; i < count; ++i) Search(d, children[i], caption, found);
  if (children) XFree(children);
}

}  // namespace

OnTestServer::~OnTestServer() {
  if (display_) XCloseDisplay(display_);
}

std::vector<Window> OnTestServer::WindowsCaptioned(const std::string& caption) {
  XSync(display_, False);
  std::vector<Window> found;
  Search(display_, DefaultRootWindow(display_), caption, found);
  return found;
}

Window OnTestServer::FindWindowByCaption(const std::string& caption) {
  const std::vector<Window> found = WindowsCaptioned(caption);
  return found.empty() ? 0 : found.front();
}

Window OnTestServer::MapWindow(int x, int y, int width, int height, const Rgb& colour) {
  XSetWindowAttributes attributes = {};
  attributes.background_pixel = PixelValue(colour);
  attributes.override_redirect = True;
  const Window w = XCreateWindow(display_, DefaultRootWindow(display_), x, y, static_cast<unsigned>(width),
                                 static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                                 CWBackPixel | CWOverrideRedirect, &attributes);
  XMapWindow(display_, w);
  XSync(display_, False);
  return w;
}

namespace {

Rgb ColourOf(XImage* image, int x, int y) {
  const unsigned long p = XGetPixel(image, x, y);
  auto channel = [p](unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
      mask >>= 1;
      ++shift;
    }
    return mask ? static_cast<int>(((p >> shift) & mask) * 255 / mask) : 0;
  };
  return {channel(image->red_mask), channel(image->green_mask), channel(image->blue_mask)};
}

}  // namespace

Rgb OnTestServer::Pixel(int x, int y) {
  XImage* image = XGetImage(display_, DefaultRootWindow(display_), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return Rgb{-1, -1, -1};
  const Rgb c = ColourOf(image, 0, 0);
  XDestroyImage(image);
  return c;
}

long OnTestServer::PixelsNot(int x, int y, int width, int height, const Rgb& colour) {
  XImage* image = XGetImage(display_, DefaultRootWindow(display_), x, y, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (!image) return -1;
  long count = 0;
  for (int j = 0; j < height; ++j)
    for (int i = 0; i < width; ++i) count += !Near(ColourOf(image, i, j), colour);
  XDestroyImage(image);
  return count;
}

void OnTestServer::Key(const char* keysymName) {
  const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysymName));
  XTestFakeKeyEvent(display_, code, True, CurrentTime);
  XTestFakeKeyEvent(display_, code, False, CurrentTime);
  XSync(display_, False);
}

void OnTestServer::MoveTo(int x, int y) {
  XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
  XSync(display_, False);
}

void OnTestServer::SendDeleteWindow(Window window) {
  XEvent e = {};
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, window, False, NoEventMask, &e);
  XSync(display_, False);
}

bool OnTestServer::HasCrtc(int x, int y, int width, int height) {
  XRRScreenResources* res = XRRGetScreenResourcesCurrent(display_, DefaultRootWindow(display_));
  if (!res) return false;
  bool found = false;
  for (int i = 0; i < res->ncrtc && !found; ++i) {
    XRRCrtcInfo* c = XRRGetCrtcInfo(display_, res, res->crtcs[i]);
    found = c && c->mode != 0 && c->x == x && c->y == y && static_cast<int>(c->width) == width &&
            static_cast<int>(c->height) == height;
    if (c) XRRFreeCrtcInfo(c);
  }
  XRRFreeScreenResources(res);
  return found;
}

void OnTestServer::ScreenSize(int* width, int* height) {
  // Ask the server afresh; Xlib's cached size lags behind RandR changes.
  Window root;
  int x, y;
  unsigned w = 0, h = 0, border, depth;
  XGetGeometry(display_, DefaultRootWindow(display_), &root, &x, &y, &w, &h, &border, &depth);
  *width = static_cast<int>(w);
  *height = static_cast<int>(h);
}

void OnTestServer::SetSaverTimeout(int seconds) {
  XSetScreenSaver(display_, seconds, 0, DontPreferBlanking, AllowExposures);
  XSync(display_, False);
}

bool OnTestServer::SaverOn() {
  XScreenSaverInfo* info = XScreenSaverAllocInfo();
  bool on = false;
  if (info && XScreenSaverQueryInfo(display_, DefaultRootWindow(display_), info)) on = info->state == ScreenSaverOn;
  if (info) XFree(info);
  return on;
}

void OnTestServer::StartServer(qgtest::TestXServer::Kind kind) {
  server_ = std::make_unique<qgtest::TestXServer>(kind);
  ASSERT_TRUE(server_->ok()) << server_->error();
  XSetErrorHandler(IgnoreXErrors);
  display_ = XOpenDisplay(server_->display().c_str());
  ASSERT_NE(display_, nullptr);
}

std::unique_ptr<qgtest::Process> OnTestServer::Start(const std::string& program, const std::vector<std::string>& args,
                                                     const std::map<std::string, std::string>& env) {
  qgtest::ProcessOptions options;
  options.argv = {qgtest::BinDir() + "/" + program};
  options.argv.insert(options.argv.end(), args.begin(), args.end());
  options.env = env;
  options.env.insert({{"DISPLAY", server_->display()}, {"XDG_RUNTIME_DIR", runtime_.path()}});
  options.stderr_path = runtime_.path() + "/stderr.txt";
  return std::make_unique<qgtest::Process>(options);
}

void OnTestServer::WriteSnapshot(const std::string& bytes, Window window) {
  mkdir((runtime_.path() + "/kestrow").c_str(), 0700);
  const std::string name = window ? "Wobblevista-" + std::to_string(window) + ".bmp" : "Wobblevista.bmp";
  std::ofstream(runtime_.path() + "/kestrow/" + name, std::ios::binary | std::ios::trunc) << bytes;
}

namespace {

struct SheetPoint {
  int x, y;
  bool left;
};

std::vector<SheetPoint> SheetPoints(int x, int y, int width, int height) {
  const int floor = y + height * 740 / 768, canopy = y + height * 30 / 768;
  const int left = x + width / 4, right = x + width * 3 / 4;
  return {{left, floor, true}, {right, floor, false}, {left, canopy, true}, {right, canopy, false}};
}

}  // namespace

bool OnTestServer::SheetsShow(const Rgb& left, const Rgb& right, int x, int y, int width, int height) {
  for (const SheetPoint& p : SheetPoints(x, y, width, height))
    if (!BlockIs(p.x, p.y, p.left ? left : right)) return false;
  return true;
}

std::string OnTestServer::Describe(int x, int y, int width, int height) {
  std::string s;
  for (const SheetPoint& p : SheetPoints(x, y, width, height)) s += ToString(Pixel(p.x, p.y)) + " ";
  return s;
}

std::string TwoColourBitmap(int width, int height, Rgb left, Rgb right) {
  const qg::show::DesktopPicture picture = qg::show::DesktopPicture::Allocate(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const Rgb& c = x < width / 2 ? left : right;
      uint8_t* px = picture.Row(y) + 4 * x;
      px[0] = uint8_t(c.b);
      px[1] = uint8_t(c.g);
      px[2] = uint8_t(c.r);
      px[3] = 0;
    }
  const std::vector<uint8_t> file = qg::show::EncodeBmp(picture);
  return std::string(file.begin(), file.end());
}

std::string HexWindowId(unsigned long window) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%lx", window);
  return text;
}
