// Quiverglide.dll under Wine on the dummy Xorg with a second output turned on
// (scripts/test-windows.sh, its two-monitor run): the show on the primary
// monitor, a black cover of another caption over the other one that goes and
// comes with that monitor, Escape from the keyboard ending the show with the
// pointer on the cover, and no cover left afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bmp_writer.h"
#include "snapshot_path.h"
#include "win_process.h"

namespace {

constexpr const char* kShowCaption = "Wobblevista_VC";
constexpr const char* kCoverCaption = "Quiverglide cover";

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list) {
  reinterpret_cast<std::vector<RECT>*>(list)->push_back(*rect);
  return TRUE;
}

TEST(RendererCoverTest, TheOtherMonitorIsCoveredWhileTheShowRunsAndEscapeEndsItFromThere) {
  if (!wintest::RunHas("QG_WINE_TWO_MONITORS")) GTEST_SKIP() << "needs the two-monitor run of scripts/test-windows.sh";
  std::vector<RECT> monitors;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.size() < 2) GTEST_SKIP() << "Wine reports " << monitors.size() << " monitor(s)";
  RECT second{};
  for (const RECT& m : monitors)
    if (m.left != 0 || m.top != 0) second = m;
  ASSERT_NE(second.right, 0) << "no monitor away from (0, 0)";

  ASSERT_TRUE(qg::EnsureSnapshotFolder());
  const std::vector<uint8_t> bmp = bmptest::Encode(bmptest::Gradient(64, 48), {});
  ASSERT_TRUE(wintest::WriteFileBytes(qg::SnapshotFilePath(), std::string(bmp.begin(), bmp.end())));
  wintest::Program program(wintest::BinDir() + "\\Quiverglide.dll");
  HWND show = wintest::WaitForWindow(kShowCaption, 20000);
  ASSERT_NE(show, nullptr);
  HWND cover = wintest::WaitForWindow(kCoverCaption, 5000);
  ASSERT_NE(cover, nullptr) << "the other monitor is not covered";
  // The whole other monitor. Wine lays the monitors side by side again once
  // the primary one is 1024 wide, so the cover may start left of where that
  // monitor was before the show, though never over the show.
  RECT rect{}, shown{};
  GetWindowRect(cover, &rect);
  GetWindowRect(show, &shown);
  EXPECT_EQ(rect.right - rect.left, second.right - second.left);
  EXPECT_EQ(rect.bottom - rect.top, second.bottom - second.top);
  EXPECT_EQ(rect.top, second.top);
  EXPECT_GE(rect.left, shown.right);
  EXPECT_LE(rect.left, second.left);
  EXPECT_TRUE(GetWindowLongA(cover, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(IsWindowVisible(cover));
  // The show is still the one window of its caption, and it keeps the keyboard.
  EXPECT_EQ(FindWindowA(nullptr, kShowCaption), show);
  EXPECT_TRUE(wintest::WaitUntil([&] { return GetForegroundWindow() == show; }, 5000));

  // The other monitor unplugged and plugged in again during the show, as the
  // system tells the show's window (WM_DISPLAYCHANGE): its cover goes and comes.
  MONITORINFOEXA info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(cover, MONITOR_DEFAULTTONEAREST), &info));
  DEVMODEA attached{};
  attached.dmSize = sizeof attached;
  ASSERT_TRUE(EnumDisplaySettingsA(info.szDevice, ENUM_CURRENT_SETTINGS, &attached));
  attached.dmFields |= DM_POSITION | DM_PELSWIDTH | DM_PELSHEIGHT;
  DEVMODEA detached = attached;
  detached.dmPelsWidth = detached.dmPelsHeight = 0;
  for (DEVMODEA* mode : {&detached, &attached}) {
    ASSERT_EQ(ChangeDisplaySettingsExA(info.szDevice, mode, nullptr, CDS_UPDATEREGISTRY | CDS_NORESET, nullptr), 0);
    ASSERT_EQ(ChangeDisplaySettingsExA(nullptr, nullptr, nullptr, 0, nullptr), 0);
    EXPECT_TRUE(wintest::WaitUntil([&] { return (FindWindowA(nullptr, kCoverCaption) != nullptr) == (mode == &attached); }, 5000))
        << (mode == &attached ? "no cover for the monitor plugged in" : "a cover over a monitor gone");
  }

  // The pointer on the covered monitor, then Escape.
  SetCursorPos((second.left + second.right) / 2, (second.top + second.bottom) / 2);
  Sleep(200);
  wintest::Press(VK_ESCAPE);
  DWORD code = 1234;
  ASSERT_TRUE(program.Wait(20000, &code)) << "Escape did not end the show";
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(wintest::WaitForNoWindow(kCoverCaption, 2000)) << "a cover was left behind";
  DeleteFileA(qg::SnapshotFilePath().c_str());
}

}  // namespace
