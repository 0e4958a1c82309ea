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
