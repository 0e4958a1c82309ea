// Which starts are the X11 screensaver daemon's, and the user's choice about
// showing the desktop in its settings file.
#include <gtest/gtest.h>

#include "hosted_start.h"

namespace {

using qg::show::DesktopImagesAllowed;
using qg::show::HostedStart;
using qg::show::ReadHostedStart;
using Kind = HostedStart::Kind;

TEST(HostedStartTest, RootWithTheDaemonsWindowIsAHostedShow) {
  for (const char* flag : {"--root", "-root"}) {
    const HostedStart s = ReadHostedStart({flag}, "0x400008");
    EXPECT_EQ(s.kind, Kind::kShow) << flag;
    EXPECT_EQ(s.window, 0x400008u);
  }
  // The daemon's environment alone is enough, whatever the arguments.
  EXPECT_EQ(ReadHostedStart({}, "4194312").kind, Kind::kShow);
  EXPECT_EQ(ReadHostedStart({}, "4194312").window, 4194312u);
  EXPECT_EQ(ReadHostedStart({"-fps"}, "0x400008").kind, Kind::kShow);
  // "--root" outside the daemon: the root window.
  EXPECT_EQ(ReadHostedStart({"--root"}, nullptr).kind, Kind::kShow);
  EXPECT_EQ(ReadHostedStart({"--root"}, nullptr).window, 0u);
}

TEST(HostedStartTest, WindowIdIsThePreviewAndWinsOverRoot) {
  for (const char* flag : {"--window-id", "-window-id"}) {
    const HostedStart s = ReadHostedStart({"--root", flag, "0x1a00007"}, "0x400008");
    EXPECT_EQ(s.kind, Kind::kPreview) << flag;
    EXPECT_EQ(s.window, 0x1a00007u);
  }
}

TEST(HostedStartTest, AWindowThatCannotBeOneEndsQuietly) {
  EXPECT_EQ(ReadHostedStart({"--window-id"}, nullptr).kind, Kind::kNoWindow);
  EXPECT_EQ(ReadHostedStart({"--window-id", "zebra"}, nullptr).kind, Kind::kNoWindow);
  EXPECT_EQ(ReadHostedStart({"--window-id", "0"}, nullptr).kind, Kind::kNoWindow);
  EXPECT_EQ(ReadHostedStart({"--window-id", "0x12q"}, nullptr).kind, Kind::kNoWindow);
  EXPECT_EQ(ReadHostedStart({"--root"}, "nonsense").kind, Kind::kNoWindow);
  EXPECT_EQ(ReadHostedStart({}, "-5").kind, Kind::kNoWindow);
}

}  // namespace
