// Peak memory (resident set) of Quiverglide.dll showing a 1920 x 1080
// snapshot, against the same show with no snapshot (white sheets) and with a
// 1024 x 768 one, each under a private Xvfb. Run by hand.
// Usage: renderer_memory_bench [SECONDS_OF_SHOW]
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

#include "bench_picture.h"
#include "peak_memory.h"
#include "process.h"
#include "test_xserver.h"

namespace {

long MeasureShow(const std::string& display, int w, int h, double seconds) {
  qgtest::TempDir runtime;
  if (w > 0) {
    mkdir((runtime.path() + "/kestrow").c_str(), 0700);
    qgbench::WriteDesktopPicture(runtime.path() + "/kestrow/Wobblevista.bmp", w, h);
  }
  qgtest::ProcessOptions options;
  options.argv = {qgtest::BinDir() + "/Quiverglide.dll"};
  options.env = {{"DISPLAY", display}, {"XDG_RUNTIME_DIR", runtime.path()}};
  qgtest::Process show(options);
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  const long peak = qgbench::PeakKiB(show.pid());
  show.Signal(SIGTERM);  // the normal teardown
  const auto code = show.Wait(std::chrono::seconds(10));
  if (!code || *code != 0) std::fprintf(stderr, "the show did not end cleanly\n");
  return peak;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
  qgtest::TestXServer server;
  if (!server.ok()) {
    std::fprintf(stderr, "no private X server: %s\n", server.error().c_str());
    return 1;
  }
  const long none = MeasureShow(server.display(), 0, 0, seconds);
  const long small = MeasureShow(server.display(), 1024, 768, seconds);
  const long full = MeasureShow(server.display(), 1920, 1080, seconds);
  const double mib = 1024.0;
  std::printf("snapshot      peak RSS     vs. no snapshot\n");
  std::printf("none          %7.1f MiB  1.00\n", none / mib);
  std::printf("1024 x 768    %7.1f MiB  %.2f (+%.1f MiB)\n", small / mib, none ? double(small) / none : 0.0,
              (small - none) / mib);
  std::printf("1920 x 1080   %7.1f MiB  %.2f (+%.1f MiB; the picture is %.1f MiB as RGB)\n", full / mib,
              none ? double(full) / none : 0.0, (full - none) / mib, 1920.0 * 1080 * 3 / (1024 * 1024));
  return 0;
}
