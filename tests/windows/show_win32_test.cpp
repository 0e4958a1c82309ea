// The display mode guard under Wine on the dummy Xorg: what a renderer killed
// mid-show leaves behind is put back. (Capture, snapshot and the renderer's
// start and watch are driven by the "/s" end-to-end test.)
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "display_mode_guard.h"
#include "win_process.h"

namespace {

TEST(ShowWin32, DisplayModeGuardPutsTheDesktopModeBack) {
  if (!wintest::RunHas("QG_WINE_SHOW_TESTS")) GTEST_SKIP() << "needs the private dummy Xorg of scripts/test-windows.sh";
  const wintest::DisplaySize before = wintest::ProbeDisplaySize();
  ASSERT_NE(before.width, 1024);
  std::unique_ptr<qg::show::DisplayModeGuard> guard = qg::show::MakeDisplayModeGuard();
  ASSERT_TRUE(guard->Remember());
  EXPECT_FALSE(guard->Changed());
  EXPECT_TRUE(guard->RestoreIfChanged()) << "nothing to do is success";

  DEVMODEA mode{};
  mode.dmSize = sizeof(mode);
  ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
  mode.dmPelsWidth = 1024;
  mode.dmPelsHeight = 768;
  ASSERT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
  ASSERT_TRUE(wintest::WaitForDisplaySize(1024, 768, 5000));
  EXPECT_TRUE(guard->Changed());
  EXPECT_TRUE(guard->RestoreIfChanged());
  EXPECT_FALSE(guard->Changed());
  EXPECT_TRUE(wintest::WaitForDisplaySize(before.width, before.height, 5000)) << "the display stayed switched";
}

}  // namespace
