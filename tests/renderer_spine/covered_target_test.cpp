// The covered target's order of things: covers after the show's window is
// open and before it is taken down, none when the window cannot be opened,
// and everything else passed to the show's own target.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "covered_target.h"

namespace {

struct Log {
  std::vector<std::string> calls;
};

class RecordingTarget final : public DrawingTarget {
 public:
  RecordingTarget(Log& log, bool opens) : log_(log), opens_(opens) {}
  bool Open(const std::string& title, int, int, const PixelFormatRequest&) override {
    log_.calls.push_back("open " + title);
    return opens_;
  }
  bool HasPixelFormat() override { return true; }
  void ClientSize(int* width, int* height) override {
    *width = 1024;
    *height = 768;
  }
  void HoldOffScreenSaver(bool hold) override { log_.calls.push_back(hold ? "hold" : "release"); }
  void Close() override { log_.calls.push_back("close"); }
  bool CreateContext() override {
    log_.calls.push_back("context");
    return true;
  }
  void DestroyContext() override { log_.calls.push_back("no context"); }
  void PresentFrame() override { log_.calls.push_back("present"); }

 private:
  Log& log_;
  bool opens_;
};

class RecordingCovers final : public MonitorCovers {
 public:
  explicit RecordingCovers(Log& log) : log_(log) {}
  void CoverOtherMonitors() override { log_.calls.push_back("cover"); }
  void Uncover() override { log_.calls.push_back("uncover"); }

 private:
  Log& log_;
};

TEST(CoveredTargetTest, CoversComeAfterTheWindowAndGoBeforeIt) {
  Log log;
  RecordingTarget show(log, true);
  RecordingCovers covers(log);
  CoveredTarget target(show, covers);
  ASSERT_TRUE(target.Open("Wobblevista_VC", 1024, 768, PixelFormatRequest{}));
  target.HoldOffScreenSaver(true);
  EXPECT_TRUE(target.CreateContext());
  target.PresentFrame();
  int w = 0, h = 0;
  target.ClientSize(&w, &h);
  EXPECT_EQ(w, 1024);
  EXPECT_FALSE(target.FollowsSize());
  target.DestroyContext();
  target.Close();
  EXPECT_EQ(log.calls, (std::vector<std::string>{"open Wobblevista_VC", "cover", "hold", "context", "present",
                                                 "no context", "uncover", "close"}));
}

TEST(CoveredTargetTest, NoCoversWhenTheWindowCannotBeOpened) {
  Log log;
  RecordingTarget show(log, false);
  RecordingCovers covers(log);
  CoveredTarget target(show, covers);
  EXPECT_FALSE(target.Open("Wobblevista_VC", 1024, 768, PixelFormatRequest{}));
  EXPECT_EQ(log.calls, std::vector<std::string>{"open Wobblevista_VC"});
}

}  // namespace
