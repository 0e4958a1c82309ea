// The preview as a real process inside a foreign window, as a screensaver
// settings program would show it.
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>

#include "show_fixture.h"

namespace {

using namespace std::chrono_literals;

class Preview : public showtest::ShowFixture {
 protected:
  void SetUp() override {
    ShowFixture::SetUp();
    Prepare(qgtest::TestXServer::Kind::Xvfb, "");  // a preview starts no renderer
  }

  // A grey window of another program, mapped at (x, y).
  Window HostWindow(int x, int y, int w, int h) { return MapWindow(x, y, w, h, 0x808080); }

  // The preview's window inside the host, once there.
  Window PreviewIn(Window host) {
    std::vector<Window> found;
    qgtest::WaitUntil([&] { return !(found = Children(host)).empty(); }, 10s);
    return found.empty() ? 0 : found.front();
  }

  // Distinct colours and non-grey pixels in a region of the screen.
  std::pair<size_t, long> Look(int x, int y, int w, int h) {
    std::set<long> colours;
    long notGrey = 0;
    ReadScreen(x, y, w, h, [&](int r, int g, int b) {
      colours.insert(r << 16 | g << 8 | b);
      notGrey += (r | g | b) != 0 && !(r == 0x80 && g == 0x80 && b == 0x80);
    });
    return {colours.size(), notGrey};
  }
};

TEST_F(Preview, SitsInItsHostAtTheHostsSizeShowsItsPictureAndEndsWithTheHost) {
  // Without a host window there is nothing to end it later: it ends at once.
  const Window gone = HostWindow(0, 0, 50, 50);
  XDestroyWindow(display_, gone);
  XSync(display_, False);
  for (const std::string& id : {std::string("0"), std::to_string(gone), std::string("")}) {
    const auto code = host_->Start({"/p", id})->Wait(3000ms);
    ASSERT_TRUE(code.has_value()) << "a preview for window '" << id << "' lives on with nothing to end it";
    EXPECT_EQ(*code, 0);
  }

  // On a desktop at 200 %, and with Qt told to scale too: still the host's device pixels.
  SetDesktopDpi(192);
  const Window small = HostWindow(10, 10, 200, 150);
  const Window wide = HostWindow(0, 300, 2400, 120);  // wider than 16-bit twips can hold
  auto a = host_->Start({"/p", std::to_string(small)});
  auto b = host_->Start({"/p", std::to_string(wide)}, {{"QT_SCALE_FACTOR", "2"}});  // several previews at once
  const Window pa = PreviewIn(small);
  const Window pb = PreviewIn(wide);
  ASSERT_NE(pa, 0u) << "no preview inside the first host";
  ASSERT_NE(pb, 0u) << "no preview inside the second host";
  EXPECT_EQ(WindowSize(pa), std::make_pair(200, 150));
  EXPECT_EQ(WindowSize(pb), std::make_pair(2400, 120));

  // The picture shows: many colours where the host was plain grey, over the
  // whole host (the far corner too), not just the designed 152 x 112.
  std::this_thread::sleep_for(500ms);
  const auto whole = Look(10, 10, 200, 150);
  EXPECT_GT(whole.first, 200u) << "hardly any colours: no picture";
  EXPECT_GT(whole.second, 200L * 150 * 9 / 10);
  const auto corner = Look(10 + 160, 10 + 120, 40, 30);
  EXPECT_GT(corner.second, 40L * 30 * 9 / 10) << "the picture does not reach the host's far corner";
  const auto farRight = Look(1000, 300, 24, 120);  // as far as the screen shows of the wide host
  EXPECT_GT(farRight.second, 24L * 120 * 9 / 10);

  // A host that changes its size gets a preview of the new size.
  XResizeWindow(display_, small, 260, 180);
  XSync(display_, False);
  EXPECT_TRUE(qgtest::WaitUntil([&] { return WindowSize(pa) == std::make_pair(260, 180); }, 3s))
      << "the preview kept its old size";

  // The first host goes: its preview ends within about a second, the other stays.
  XDestroyWindow(display_, small);
  XSync(display_, False);
  const auto ca = a->Wait(2000ms);
  ASSERT_TRUE(ca.has_value()) << "the preview outlived its host";
  EXPECT_EQ(*ca, 0);
  EXPECT_FALSE(b->Wait(0ms).has_value());
  XDestroyWindow(display_, wide);
  XSync(display_, False);
  EXPECT_TRUE(b->Wait(2000ms).has_value());
}

}  // namespace
