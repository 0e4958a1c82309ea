// Which starts are the X11 screensaver daemon's: its show, its preview, or
// nothing to show in.
#include <gtest/gtest.h>

#include "hosted_start.h"

namespace {

using qg::show::ReadHostedStart;
using Kind = qg::show::HostedStart::Kind;

TEST(HostedStartTest, ArgumentsAndTheDaemonsWindowGiveTheKindAndTheWindow) {
  const struct {
    std::vector<std::string> args;
    const char* env;
    Kind kind;
    unsigned long window;
  } cases[] = {
      {{"--root"}, "0x400008", Kind::kShow, 0x400008},
      {{"-root"}, "0x400008", Kind::kShow, 0x400008},
      {{}, "4194312", Kind::kShow, 4194312},  // the daemon's environment alone is enough
      {{"-fps"}, "0x400008", Kind::kShow, 0x400008},
      {{"--root"}, nullptr, Kind::kShow, 0},  // outside the daemon: the root window
      // The preview's window wins over the show's.
      {{"--root", "--window-id", "0x1a00007"}, "0x400008", Kind::kPreview, 0x1a00007},
      {{"--root", "-window-id", "0x1a00007"}, "0x400008", Kind::kPreview, 0x1a00007},
      // A window that cannot be one ends quietly.
      {{"--window-id"}, nullptr, Kind::kNoWindow, 0},
      {{"--window-id", "zebra"}, nullptr, Kind::kNoWindow, 0},
      {{"--window-id", "0"}, nullptr, Kind::kNoWindow, 0},
      {{"--window-id", "0x12q"}, nullptr, Kind::kNoWindow, 0},
      {{"--root"}, "nonsense", Kind::kNoWindow, 0},
      {{}, "-5", Kind::kNoWindow, 0},
  };
  for (const auto& c : cases) {
    const auto s = ReadHostedStart(c.args, c.env);
    const std::string what = (c.args.empty() ? "" : c.args.back()) + " " + (c.env ? c.env : "-");
    EXPECT_EQ(s.kind, c.kind) << what;
    if (c.kind != Kind::kNoWindow) EXPECT_EQ(s.window, c.window) << what;
  }
}

}  // namespace
