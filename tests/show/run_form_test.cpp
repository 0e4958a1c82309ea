// The run form as a real process under a private X server, with a stand-in
// renderer that opens its window late, never, or not at all.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <thread>

#include "show_fixture.h"
#include "x_probe.h"

namespace {

using namespace std::chrono_literals;
using showtest::ReadLines;

class RunForm : public showtest::ShowFixture {
 protected:
  void SetUp() override {
    showtest::BecomeSubreaper();
    Prepare(qgtest::TestXServer::Kind::Xvfb, 800, 600, showtest::StandinPath());
    log_ = Scratch() + "/standin.log";
    env_["QG_STANDIN_LOG"] = log_;
  }
  void TearDown() override {
    showtest::ReapOrphans();
    ShowFixture::TearDown();
  }
  bool Logged(const std::string& what) {
    for (const auto& l : ReadLines(log_)) {
      if (l == what) return true;
    }
    return false;
  }
  long StandinPid() {
    for (const auto& l : ReadLines(log_)) {
      if (l.rfind("pid ", 0) == 0) return std::stol(l.substr(4));
    }
    return -1;
  }
  std::string log_;
};

TEST_F(RunForm, RendererThatOpensItsWindowLateIsNotTakenForEnded) {
  // The window comes 2.5 s after the start: five renderer-watch ticks see none.
  auto saver = StartSaver({"/s"}, {{"QG_STANDIN_WINDOW_MS", "2500"}, {"QG_STANDIN_KEEP_MS", "1500"}});
  ASSERT_TRUE(showtest::WaitFor([&] { return showtest::FindByCaption(dpy_, "Wobblevista_Main") != 0; }, 10000))
      << "the run form's marker window never appeared";
  std::this_thread::sleep_for(2000ms);
  ASSERT_FALSE(Logged("window")) << "the stand-in was quicker than planned; the test proves nothing";
  EXPECT_FALSE(saver->Wait(0ms).has_value()) << "the run ended while the renderer was still starting";
  ASSERT_TRUE(showtest::WaitFor([&] { return Logged("window"); }, 5000));
  EXPECT_FALSE(saver->Wait(0ms).has_value());
  // The window goes: the run ends within a tick or two.
  ASSERT_TRUE(showtest::WaitFor([&] { return Logged("gone"); }, 5000));
  const auto code = saver->Wait(2000ms);
  ASSERT_TRUE(code.has_value()) << "the run outlived the renderer's window";
  EXPECT_EQ(*code, 0);

  // The renderer saw a complete snapshot of this 800 x 600 screen, was given
  // no arguments, was reaped, and the snapshot is gone after the run.
  EXPECT_TRUE(Logged("args 0"));
  EXPECT_TRUE(Logged("snapshot " + std::to_string(54 + 800 * 600 * 4)));
  EXPECT_TRUE(showtest::ProcessGone(StandinPid())) << "renderer left as a zombie";
  EXPECT_FALSE(std::ifstream(SnapshotPath()).good()) << "snapshot left on disk after the show";
  EXPECT_EQ(showtest::FindByCaption(dpy_, "Wobblevista_Main"), 0u);
}

TEST_F(RunForm, RendererThatExitsWithoutAWindowEndsTheRunPromptly) {
  auto saver = StartSaver({"/s"}, {{"QG_STANDIN_WINDOW_MS", "300"}, {"QG_STANDIN_KEEP_MS", "0"}});
  // 300 ms, a window shown for no time, then exit: over within a few ticks.
  const auto code = saver->Wait(6000ms);
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0);
  EXPECT_TRUE(Logged("gone"));
  EXPECT_TRUE(showtest::ProcessGone(StandinPid()));
}

TEST_F(RunForm, RendererThatHangsBeforeItsWindowIsEndedAfterTheStartLimit) {
  auto saver = StartSaver({"/s"}, {{"QG_STANDIN_WINDOW_MS", "-1"}});
  ASSERT_TRUE(showtest::WaitFor([&] { return Logged("hanging"); }, 10000));
  const long pid = StandinPid();
  // Not before the limit of about 10 s ...
  EXPECT_FALSE(saver->Wait(7000ms).has_value()) << "a renderer still starting was ended early";
  // ... but soon after it, with the hung renderer killed and reaped.
  const auto code = saver->Wait(8000ms);
  ASSERT_TRUE(code.has_value()) << "a hung renderer kept the run alive";
  EXPECT_EQ(*code, 0);
  EXPECT_TRUE(showtest::ProcessGone(pid)) << "the hung renderer was not ended";
}

}  // namespace

namespace {

TEST_F(RunForm, EndRequestFromOutsideTakesTheUsualWayOut) {
  auto saver = StartSaver({"/s"}, {{"QG_STANDIN_WINDOW_MS", "0"}, {"QG_STANDIN_KEEP_MS", "60000"}});
  ASSERT_TRUE(showtest::WaitFor([&] { return Logged("window"); }, 10000));
  ASSERT_TRUE(showtest::WaitFor([&] { return std::ifstream(SnapshotPath()).good(); }, 2000));
  // What a session's end sends: the run ends through its unload path, not by
  // simply vanishing, so the snapshot of the user's screen does not stay behind.
  saver->Signal(SIGTERM);
  const auto code = saver->Wait(3000ms);
  ASSERT_TRUE(code.has_value()) << "the saver ignored the end request";
  EXPECT_EQ(*code, 0) << "ended by the signal, not by its own way out";
  EXPECT_FALSE(std::ifstream(SnapshotPath()).good());
  // The renderer is not the saver's to end; it runs on by itself.
  const long pid = StandinPid();
  EXPECT_FALSE(showtest::ProcessGone(pid));
  kill(static_cast<pid_t>(pid), SIGKILL);
}

}  // namespace
