// What each command line starts, with every service recorded; and the cursor
// display counter.
#include <gtest/gtest.h>

#include <vector>

#include "cursor_counter.h"
#include "startup_dispatch.h"

namespace {

using Log = std::vector<std::string>;

struct Recorder : qg::StartupServices {
  std::string command;
  bool renderer = true;
  bool held = false;  // another instance holds the session's mark
  Log log;
  int count = 0;

  std::string CommandLine() override { return command; }
  bool TopLevelWindowExists(const std::string&) override { return false; }  // markers: the process test
  bool ClaimInstance() override { return !held && (log.push_back("claim"), true); }
  bool InstanceClaimed() override { return held; }
  void RemoveLeftSnapshot() override { log.push_back("remove snapshot"); }
  void EndProgram() override { log.push_back("end"); }
  void LoadPreviewForm(std::uint32_t host) override { log.push_back("preview " + std::to_string(host)); }
  void MakeSnapshotFolder() override { log.push_back("folder"); }
  void LoadSettings() override { log.push_back("settings"); }
  std::string ProgramFolder() override { return "/opt/quiverglide"; }
  bool FileExists(const std::string& path) override {
    return renderer && path == "/opt/quiverglide/Quiverglide.dll";
  }
  std::string Title() override { return "Quiverglide"; }
  void MessageBox(const std::string& text, const std::string& caption) override {
    log.push_back("box " + caption + ": " + text);
  }
  void ShowSettingsDialogModal() override { log.push_back("dialog"); }
  int ShowCursor(int flag) override { return count += flag ? 1 : -1; }
  void LoadRunForm() override { log.push_back("run form"); }
};

TEST(Startup, EachCommandLineStartsItsPart) {
  // The show and the settings claim the session and clear what a killed run left.
  auto then = [&](Log more, bool claims = true) {
    Log all = claims ? Log{"claim", "remove snapshot", "folder", "settings"} : Log{"folder", "settings"};
    all.insert(all.end(), more.begin(), more.end());
    return all;
  };
  const std::string box = std::string("box Quiverglide: ") + qg::kRendererMissingText;
  const struct {
    const char* command;
    bool renderer;
    Log log;
    int cursor;  // the count the start hands back; 77 where it leaves it alone
    bool held = false;
  } cases[] = {
      {"/s", true, then({"run form"}), -1}, {"/S", true, then({"run form"}), -1},
      {"-S", true, then({"run form"}), -1}, {"/s 1234", true, then({"run form"}), -1},
      {"", true, then({"run form"}), 77},  // no switch: the show, with the cursor left visible
      {"/c", true, then({"dialog", "end"}), 77},
      {"/A", true, then({"end"}, false), 77},
      {"x", true, then({"end"}, false), 77},  // shorter than two characters, not empty: unknown
      {"/s", false, then({box, "end"}), 77}, {"/c", false, then({box, "end"}), 77},
      {"/a", false, then({box, "end"}, false), 77}, {"", false, then({box, "end"}), 77},
      {"/p 1234", false, {"preview 1234"}, 77},  // the preview needs no renderer and prepares nothing
      // Another instance holds the session: every start ends before any step.
      {"/s", true, {"end"}, 77, true}, {"/c", true, {"end"}, 77, true}, {"", true, {"end"}, 77, true},
      {"/p 1234", true, {"end"}, 77, true}, {"/a", true, {"end"}, 77, true},
  };
  for (const auto& c : cases) {
    Recorder r;
    r.command = c.command;
    r.renderer = c.renderer;
    r.held = c.held;
    std::int32_t cursor = 77;
    qg::RunStartup(r, cursor);
    EXPECT_EQ(r.log, c.log) << c.command;
    EXPECT_EQ(cursor, c.cursor) << c.command;
  }
}

struct Visibility : qg::CursorVisibility {
  Log calls;
  void Hide() override { calls.push_back("hide"); }
  void Show() override { calls.push_back("show"); }
};

TEST(CursorCounter, PlatformAskedOnlyWhenTheCountCrossesZero) {
  Visibility v;
  qg::CursorCounter c(v);
  EXPECT_EQ(c.ShowCursor(0), -1);
  EXPECT_EQ(c.ShowCursor(0), -2);
  EXPECT_EQ(c.ShowCursor(1), -1);
  EXPECT_EQ(c.ShowCursor(-1), 0);  // any nonzero flag shows
  EXPECT_EQ(v.calls, (Log{"hide", "show"}));
  // An unmatched show only counts up; no show request reaches the platform.
  EXPECT_EQ(c.ShowCursor(1), 1);
  EXPECT_EQ(v.calls.size(), 2u);
  // A hide from 1 returns 0 and the cursor stays visible; handing that 0
  // back as the flag hides it once more instead of showing it.
  EXPECT_EQ(c.ShowCursor(0), 0);
  EXPECT_EQ(v.calls.size(), 2u);
  EXPECT_EQ(c.ShowCursor(0), -1);
  EXPECT_EQ(v.calls.back(), "hide");
}

}  // namespace
