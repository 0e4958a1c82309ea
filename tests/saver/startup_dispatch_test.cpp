// The order of the start-up steps per command line, with every service
// recorded; and the cursor display counter.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "cursor_counter.h"
#include "startup_dispatch.h"

namespace {

struct Recorder : qg::StartupServices {
  std::string command;
  std::vector<std::string> existing;
  bool renderer = true;
  bool throw_in_folder = false;
  std::vector<std::string> log;
  std::uint32_t host = 0;
  int count = 0;

  std::string CommandLine() override { return command; }
  bool TopLevelWindowExists(const std::string& c) override {
    for (auto& e : existing)
      if (e == c) return true;
    return false;
  }
  void EndProgram() override { log.push_back("end"); }
  void LoadPreviewForm(std::uint32_t hst) override {
    host = hst;
    log.push_back("preview");
  }
  void MakeSnapshotFolder() override {
    log.push_back("folder");
    if (throw_in_folder) throw std::runtime_error("no folder");
  }
  void LoadSettings() override { log.push_back("settings"); }
  std::string ProgramFolder() override { return "/opt/quiverglide"; }
  bool FileExists(const std::string& path) override {
    log.push_back("exists " + path);
    return renderer;
  }
  std::string Title() override { return "Quiverglide"; }
  void MessageBox(const std::string& text, const std::string& caption) override {
    log.push_back("box " + caption + ": " + text);
  }
  void ShowSettingsDialogModal() override { log.push_back("dialog"); }
  int ShowCursor(int flag) override {
    count += flag ? 1 : -1;
    log.push_back("cursor " + std::to_string(flag));
    return count;
  }
  void LoadRunForm() override { log.push_back("run form"); }
};

std::vector<std::string> Dispatch(Recorder& r, std::int32_t* cursor = nullptr) {
  std::int32_t c = 77;
  qg::RunStartup(r, c);
  if (cursor) *cursor = c;
  return r.log;
}

const std::string kCheck = "exists /opt/quiverglide/Quiverglide.dll";

TEST(Startup, ShowHidesTheCursorAndLoadsTheRunForm) {
  for (const char* cmd : {"/s", "/S", "-S", "/s 1234"}) {
    Recorder r;
    r.command = cmd;
    std::int32_t cursor = 0;
    EXPECT_EQ(Dispatch(r, &cursor), (std::vector<std::string>{"folder", "settings", kCheck, "cursor 0", "run form"})) << cmd;
    EXPECT_EQ(cursor, -1);
  }
  Recorder empty;
  std::int32_t cursor = 0;
  EXPECT_EQ(Dispatch(empty, &cursor), (std::vector<std::string>{"folder", "settings", kCheck, "run form"}));
  EXPECT_EQ(cursor, 77);  // untouched: the cursor stays visible
}

TEST(Startup, SettingsAndUnknownSwitches) {
  Recorder c;
  c.command = "/c";
  EXPECT_EQ(Dispatch(c), (std::vector<std::string>{"folder", "settings", kCheck, "dialog", "end"}));
  Recorder a;
  a.command = "/A";
  EXPECT_EQ(Dispatch(a), (std::vector<std::string>{"folder", "settings", kCheck, "end"}));
  Recorder one;
  one.command = "x";  // shorter than two characters, not empty: unknown
  EXPECT_EQ(Dispatch(one), (std::vector<std::string>{"folder", "settings", kCheck, "end"}));
}

TEST(Startup, MissingRendererShowsTheOneMessageInEveryModeButPreview) {
  for (const char* cmd : {"/s", "/c", "/a", ""}) {
    Recorder r;
    r.command = cmd;
    r.renderer = false;
    EXPECT_EQ(Dispatch(r), (std::vector<std::string>{"folder", "settings", kCheck,
                                                 std::string("box Quiverglide: ") + qg::kRendererMissingText, "end"}))
        << cmd;
  }
  EXPECT_STREQ(qg::kRendererMissingText, "Quiverglide.dll が同じﾌｫﾙﾀﾞに見つかりません！");
}

TEST(Startup, AnotherInstanceEndsEveryStartSilently) {
  for (const char* marker : {"Wobblevista_Main", "<Quiverglide>"}) {
    for (const char* cmd : {"/s", "/c", "/p 1234", "", "/a"}) {
      Recorder r;
      r.command = cmd;
      r.existing = {marker};
      EXPECT_EQ(Dispatch(r), (std::vector<std::string>{"end"})) << marker << " " << cmd;
    }
  }
  Recorder preview_only;  // a preview's caption is no marker
  preview_only.existing = {"Preview Window"};
  preview_only.command = "/s";
  EXPECT_EQ(Dispatch(preview_only).back(), "run form");
}

TEST(Startup, PreviewReadsItsHostAndSkipsEverythingElse) {
  Recorder r;
  r.command = "/p 1234";
  EXPECT_EQ(Dispatch(r), (std::vector<std::string>{"preview"}));
  EXPECT_EQ(r.host, 1234u);

  Recorder hex;
  hex.command = "/P 0x4000a3";
  Dispatch(hex);
  EXPECT_EQ(hex.host, 0x4000a3u);

  Recorder none;  // "/P" alone: handle 0
  none.command = "/P";
  Dispatch(none);
  EXPECT_EQ(none.host, 0u);
}

struct Visibility : qg::CursorVisibility {
  std::vector<std::string> calls;
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
  EXPECT_EQ(v.calls, (std::vector<std::string>{"hide", "show"}));
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
