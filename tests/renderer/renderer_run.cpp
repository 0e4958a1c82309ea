#include "renderer_run.h"

#include "bmp_format.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>

std::string TwoColourBitmap(int width, int height, Rgb left, Rgb right) {
  const qg::show::DesktopPicture picture = qg::show::DesktopPicture::Allocate(width, height);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = picture.Row(y);
    for (int x = 0; x < width; ++x) {
      const Rgb& c = x < width / 2 ? left : right;
      row[4 * x] = c.b;
      row[4 * x + 1] = c.g;
      row[4 * x + 2] = c.r;
      row[4 * x + 3] = 0;
    }
  }
  const std::vector<uint8_t> file = qg::show::EncodeBmp(picture);
  return std::string(file.begin(), file.end());
}

std::string SnapshotPathFor(const std::string& runtimeDir) { return runtimeDir + "/kestrow/Wobblevista.bmp"; }

void WriteSnapshot(const std::string& runtimeDir, const std::string& bytes) {
  mkdir((runtimeDir + "/kestrow").c_str(), 0700);
  std::ofstream out(SnapshotPathFor(runtimeDir), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::unique_ptr<qgtest::Process> StartRenderer(const std::string& display, const std::string& runtimeDir,
                                               const std::string& stderrPath) {
  qgtest::ProcessOptions options;
  options.argv = {qgtest::BinDir() + "/Quiverglide.dll"};
  options.env = {{"DISPLAY", display}, {"XDG_RUNTIME_DIR", runtimeDir}};
  options.stderr_path = stderrPath;
  return std::make_unique<qgtest::Process>(options);
}

bool BlockIs(X11Probe& probe, int x, int y, const Rgb& colour) {
  return Near(probe.Pixel(x, y), colour) && Near(probe.Pixel(x + 1, y), colour) &&
         Near(probe.Pixel(x, y + 1), colour) && Near(probe.Pixel(x + 1, y + 1), colour);
}

std::string HexWindowId(unsigned long window) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%lx", window);
  return text;
}

Window MapPlainWindow(X11Probe& probe, int x, int y, int width, int height) {
  Display* d = probe.display();
  XSetWindowAttributes attributes = {};
  attributes.background_pixel = BlackPixel(d, DefaultScreen(d));
  attributes.override_redirect = True;
  const Window w = XCreateWindow(d, DefaultRootWindow(d), x, y, static_cast<unsigned>(width),
                                 static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                                 CWBackPixel | CWOverrideRedirect, &attributes);
  XMapWindow(d, w);
  XSync(d, False);
  return w;
}
