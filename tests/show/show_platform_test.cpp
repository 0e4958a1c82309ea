// The show's capture and snapshot writer against real parts: private X
// servers, real files in a private folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "bitmap_decoder.h"
#include "desktop_capture.h"
#include "desktop_pattern.h"
#include "process.h"
#include "renderer_process.h"
#include "snapshot_writer.h"
#include "test_xserver.h"
#include "x11/desktop_capture_x11.h"

namespace {

using qg::show::DesktopPicture;

int CountEntries(const std::string& folder) {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// The whole show checks a 24-bit capture pixel for pixel. Here a 16-bit
// display of an odd width (rows padded): 5 bits of red and blue, 6 of green,
// each channel within one step and full intensity still 255 (the short
// channels are widened, not shifted).
TEST(Capture, TheWholeScreenByEitherRequestSixteenBitsToTheirPrecision) {
  constexpr int kWidth = 641, kHeight = 480;
  qgtest::TestXServer server(qgtest::TestXServer::Kind::Xvfb, kWidth, kHeight, 16);
  ASSERT_TRUE(server.ok()) << server.error();
  setenv("DISPLAY", server.display().c_str(), 1);
  // A plain connection: the capture's own X error handling stays in force.
  Display* dpy = XOpenDisplay(server.display().c_str());
  ASSERT_TRUE(dpy && showtest::PaintRootPattern(dpy));
  DesktopPicture pic, plain;
  ASSERT_TRUE(qg::show::CaptureDesktop(pic));
  ASSERT_EQ(std::make_pair(pic.width, pic.height), std::make_pair(kWidth, kHeight));
  // Every third pixel each way within a step of the pattern.
  int off = 0;
  for (int y = 0; y < kHeight; y += 3)
    for (int x = 0; x < kWidth; x += 3) {
      const showtest::Rgb want = showtest::PatternPixel(x, y, kWidth);
      const uint8_t* got = pic.Row(y) + x * 4;
      off += std::abs(got[2] - want.r) > 8 || std::abs(got[1] - want.g) > 8 || std::abs(got[0] - want.b) > 8;
    }
  EXPECT_EQ(off, 0);
  bool sawFull = false;
  for (int y = 0; y < kHeight; y += 5)
    for (int x = 0; x < kWidth; x += 3) sawFull = sawFull || pic.Row(y)[x * 4 + 2] == 255;
  EXPECT_TRUE(sawFull);
  // The plain request gives the very same picture as the shared-memory one.
  ASSERT_TRUE(qg::show::CaptureDesktopOn(dpy, false, plain));
  ASSERT_EQ(std::make_pair(plain.width, plain.height), std::make_pair(kWidth, kHeight));
  for (int y = 0; y < pic.height; ++y)
    ASSERT_EQ(std::memcmp(plain.Row(y), pic.Row(y), static_cast<size_t>(pic.width) * 4), 0) << "row " << y;
  XCloseDisplay(dpy);
}

TEST(SnapshotWriter, ReplacesAtomicallyPrivatelyNeverThroughALinkAndInTheRenderersLayout) {
  qgtest::TempDir dir;
  // Rows longer than the width needs, as a capture may hand them over, and
  // the unused byte of each pixel set.
  DesktopPicture pic = DesktopPicture::Allocate(4, 3);
  for (int i = 0; i < 4 * 3 * 4; ++i) pic.Row(0)[i] = uint8_t(i % 4 == 3 ? 0xAB : i * 5);
  pic.width = 3;
  const std::string path = dir.path() + "/Wobblevista.bmp";
  std::ofstream(path) << "old";
  // A folder that does not exist: nothing can be written, nothing is claimed.
  EXPECT_FALSE(qg::show::WriteSnapshotFile(pic, dir.path() + "/missing/Wobblevista.bmp"));
  // A picture whose pixels do not match its size is refused before any write.
  DesktopPicture broken = pic;
  broken.stride = 5;
  EXPECT_FALSE(qg::show::WriteSnapshotFile(broken, path));
  EXPECT_EQ(qgtest::ReadFile(path), "old");
  EXPECT_EQ(CountEntries(dir.path()), 1);
  // A planted link at its place cannot redirect the write: the final rename
  // replaces the link, and no temporary is left behind.
  const std::string victim = dir.path() + "/victim";
  std::ofstream(victim) << "keep";
  ASSERT_EQ(unlink(path.c_str()), 0);
  ASSERT_EQ(symlink(victim.c_str(), path.c_str()), 0);
  ASSERT_TRUE(qg::show::WriteSnapshotFile(pic, path));
  EXPECT_EQ(qgtest::ReadFile(victim), "keep");
  struct stat st;
  ASSERT_EQ(lstat(path.c_str(), &st), 0);
  EXPECT_TRUE(S_ISREG(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(CountEntries(dir.path()), 2);
  // Read back with the renderer's decoder: bottom row first, red green blue.
  const std::string file = qgtest::ReadFile(path);
  ASSERT_EQ(file.size(), 54u + 3 * 3 * 4);
  const DecodeResult r = DecodeBitmap(reinterpret_cast<const uint8_t*>(file.data()), file.size());
  ASSERT_EQ(r.status, DecodeStatus::Ok);
  ASSERT_EQ(std::make_pair(r.image.width, r.image.height), std::make_pair(3, 3));
  for (int i = 0; i < 9; ++i) {
    const uint8_t *src = pic.Row(2 - i / 3) + i % 3 * 4, *got = &r.image.pixels[i * 3];
    EXPECT_EQ(std::vector<int>({got[0], got[1], got[2]}), std::vector<int>({src[2], src[1], src[0]})) << i;
  }
  qg::show::RemoveSnapshotFile(path);
  EXPECT_NE(access(path.c_str(), F_OK), 0);
}

// The watch looks once a tick: a renderer that has ended must read as ended
// at the first look after, and leave no zombie.
TEST(RendererProcess, AnEndedRendererIsSeenAtTheFirstLookAndReaped) {
  qg::show::RendererProcess renderer;
  ASSERT_TRUE(renderer.Start("/bin/true"));
  const std::string stat = "/proc/" + std::to_string(renderer.Id()) + "/stat";
  ASSERT_TRUE(qgtest::WaitUntil([&] { return qgtest::ReadFile(stat).find(") Z ") != std::string::npos; },
                                std::chrono::seconds(5)));
  EXPECT_FALSE(renderer.Running());
  EXPECT_EQ(qgtest::ReadFile(stat), "");
}

}  // namespace
