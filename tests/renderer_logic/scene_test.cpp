#include "scene.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "fake_clock.h"
#include "gl_recorder.h"
#include "pieces.h"
#include "snapshot_loader.h"

namespace {

class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSceneState();
    SceneTextures[0] = 0;
    InitAnimation();
    glrec::Clear();
  }
  void TearDown() override {
    ResetSceneState();
    SceneTextures[0] = 0;
  }
  // One pass of the loop: tick after `seconds`, then the frame.
  void Frame(double seconds = 0.02) {
    fake_.clock.AdvanceSeconds(seconds);
    TickClock();
    DrawFrame([this] { ++swaps_; glrec::Recorded().calls.push_back({"swap", {}}); });
  }
  ScopedFakeClock fake_;
  int swaps_ = 0;
};

void ExpectSheet(size_t n, float farY, float nearY, double offset) {
  unsigned mode = 0;
  const auto v = glrec::Primitive(n, &mode);
  EXPECT_EQ(mode, unsigned(GL_QUADS));
  ASSERT_EQ(v.size(), 4u);
  const double want[4][5] = {{0, 3 + offset, -300, farY, -300},
                             {3, 3 + offset, 300, farY, -300},
                             {3, offset, 300, nearY, 500},
                             {0, offset, -300, nearY, 500}};
  for (int i = 0; i < 4; ++i)
    for (int k = 0; k < 5; ++k) EXPECT_NEAR(v[i][k], want[i][k], 1e-5) << "sheet " << n << " corner " << i;
}

}  // namespace

TEST_F(SceneTest, InitAnimationStartsClockAndEmptyList) {
  ResetSceneState();
  fake_.clock.counter = 777;
  InitAnimation();
  ASSERT_NE(ScenePieces, nullptr);
  EXPECT_EQ(ScenePieces->Capacity(), 500);
  EXPECT_EQ(ScenePieces->Count(), 0);
  EXPECT_EQ(ClockNow, 0.0f);  // no time passed between Start and the tick
  EXPECT_EQ(FrameDelta, 0.0f);
  fake_.clock.AdvanceSeconds(0.5);
  TickClock();
  EXPECT_FLOAT_EQ(ClockNow, 0.5f);
  EXPECT_FLOAT_EQ(FrameDelta, 0.5f);
}

TEST_F(SceneTest, ResizeSetsViewportAndPerspective) {
  ResizeScene(1024, 768);
  const std::vector<std::string> names = {"glViewport", "glMatrixMode", "glLoadIdentity", "gluPerspective",
                                          "glMatrixMode", "glLoadIdentity"};
  EXPECT_EQ(glrec::Names(), names);
  const auto& c = glrec::Recorded().calls;
  EXPECT_EQ(c[0].args, (std::vector<double>{0, 0, 1024, 768}));
  EXPECT_EQ(c[1].args[0], GL_PROJECTION);
  EXPECT_EQ(c[3].args[0], 45.0);
  EXPECT_DOUBLE_EQ(c[3].args[1], 1024.0 / 768.0);
  EXPECT_EQ(c[3].args[2], 0.009999999776482582);
  EXPECT_EQ(c[3].args[3], 5000.0);
  EXPECT_EQ(c[4].args[0], GL_MODELVIEW);

  glrec::Clear();
  ResizeScene(640, 0);
  EXPECT_EQ(glrec::CallsNamed("glViewport")[0].args, (std::vector<double>{0, 0, 640, 1}));
  EXPECT_EQ(glrec::CallsNamed("gluPerspective")[0].args[1], 640.0);
}

TEST_F(SceneTest, FixedStateInOrder) {
  SetSceneGlState();
  const std::vector<glrec::Call> want = {
      {"glShadeModel", {GL_SMOOTH}},
      {"glHint", {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST}},
      {"glHint", {GL_POINT_SMOOTH_HINT, GL_NICEST}},
      {"glClearDepth", {1.0}},
      {"glDisable", {GL_DEPTH_TEST}},
      {"glClearColor", {0, 0, 0, 1}},
      {"glEnable", {GL_BLEND}},
      {"glBlendFunc", {GL_SRC_ALPHA, GL_ONE}},
      {"glEnable", {GL_TEXTURE_2D}},
  };
  const auto& got = glrec::Recorded().calls;
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(got[i].name, want[i].name) << i;
    EXPECT_EQ(got[i].args, want[i].args) << i;
  }
}

TEST_F(SceneTest, FirstFrameDrawsBothSheetsWhiteAndUnrotated) {
  Frame(0.02);
  EXPECT_TRUE(glrec::Recorded().faults.empty());
  EXPECT_EQ(swaps_, 1);
  const std::vector<std::string> head = {"glClear", "glLoadIdentity", "glRotatef", "glColor4f",
                                         "glDisable", "glBindTexture", "glBegin"};
  const auto names = glrec::Names();
  ASSERT_GE(names.size(), head.size());
  EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + head.size()), head);
  EXPECT_EQ(names.back(), "swap");
  const auto& c = glrec::Recorded().calls;
  EXPECT_EQ(c[0].args[0], GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  EXPECT_EQ(c[2].args, (std::vector<double>{0, 0, 0, 5}));
  EXPECT_EQ(c[3].args, (std::vector<double>{1, 1, 1, 1}));
  EXPECT_EQ(c[4].args[0], GL_BLEND);
  EXPECT_EQ(c[5].args, (std::vector<double>{GL_TEXTURE_2D, 0}));  // no texture: plain white
  ExpectSheet(0, -15.5f, -15.5f, 0.02 * 0.08);
  ExpectSheet(1, -10.5f, 80.5f, 0.02 * 0.08);
  EXPECT_EQ(glrec::CallsNamed("glBegin").size(), 2u);  // empty piece list draws nothing
}

TEST_F(SceneTest, SheetsBindTheSnapshotTextureAndScroll) {
  SceneTextures[0] = 9;
  for (int i = 0; i < 100; ++i) Frame(0.025);
  EXPECT_NEAR(ScrollOffset, 100 * 0.025 * 0.08, 1e-9);
  glrec::Clear();
  Frame(0.025);
  EXPECT_EQ(glrec::CallsNamed("glBindTexture")[0].args, (std::vector<double>{GL_TEXTURE_2D, 9}));
  ExpectSheet(0, -15.5f, -15.5f, 101 * 0.025 * 0.08);
  // Past a whole texture length only the fraction is sent: the same picture.
  ScrollOffset = 41.25;
  glrec::Clear();
  Frame(0.0);
  ExpectSheet(0, -15.5f, -15.5f, 0.25);
}

TEST_F(SceneTest, DriftRatesAreDrawnOnEveryFiveHundredthFrame) {
  std::srand(4242);
  int expected[8];
  for (int& e : expected) e = std::rand() % 50;
  std::srand(4242);
  for (int i = 1; i < 500; ++i) Frame(0.02);
  EXPECT_EQ(FrameCounter, 499);
  for (float r : DriftRates) EXPECT_EQ(r, 0.0f);
  EXPECT_EQ(RotationAngle, 0.0);
  glrec::Clear();
  Frame(0.02);  // frame 500
  EXPECT_EQ(FrameCounter, 0);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(DriftRates[k], float(expected[k])) << k;
  EXPECT_NEAR(RotationAngle, expected[0] * 0.02, 1e-9);
  const auto rot = glrec::CallsNamed("glRotatef")[0].args;
  EXPECT_NEAR(rot[0], expected[0] * 0.02, 1e-5);
  EXPECT_NEAR(rot[1], expected[1] * 0.02, 1e-5);
  EXPECT_NEAR(rot[2], expected[2] * 0.02, 1e-5);
  EXPECT_NEAR(rot[3], 5.0 + expected[3] * 0.02, 1e-5);
  for (int i = 1; i < 500; ++i) Frame(0.02);
  EXPECT_NEAR(RotationAngle, expected[0] * 0.02 * 500, 1e-6);
  Frame(0.02);  // frame 1000: the next four draws
  for (int k = 0; k < 4; ++k) EXPECT_EQ(DriftRates[k], float(expected[4 + k])) << k;
}

TEST_F(SceneTest, MotionStaysSmoothAfterTwentyFourHours) {
  Frame(86400.0);  // one tick across a whole day
  DriftRates[0] = 49.0f;
  RotationAngle = 49.0 * 86400.0;
  ScrollOffset = 0.08 * 86400.0;
  double lastAngle = -1, lastS = -1;
  for (int i = 0; i < 20; ++i) {
    glrec::Clear();
    Frame(0.001);
    const double angle = glrec::CallsNamed("glRotatef")[0].args[0];
    const double s = glrec::Primitive(0)[2][1];  // offset at the near edge
    if (lastAngle >= 0) {
      // 0.049 degrees and 0.00008 texture lengths per frame, every frame.
      EXPECT_NEAR(std::fmod(angle - lastAngle + 360.0, 360.0), 0.049, 2e-4) << i;
      EXPECT_NEAR(std::fmod(s - lastS + 1.0, 1.0), 0.00008, 2e-6) << i;
    }
    lastAngle = angle;
    lastS = s;
    EXPECT_LT(angle, 360.0);
  }
}

TEST_F(SceneTest, PiecesAreDrawnAfterTheSheetsBlended) {
  Piece* p = new Piece(ScenePieces);
  p->fadingIn = false;
  p->lifetime = 1000.0f;
  p->colour[3] = 1.0f;
  ASSERT_TRUE(ScenePieces->Add(p));
  Frame(0.02);
  EXPECT_TRUE(glrec::Recorded().faults.empty());
  unsigned mode = 0;
  EXPECT_EQ(glrec::Primitive(2, &mode).size(), 4u);
  EXPECT_EQ(mode, unsigned(GL_TRIANGLE_STRIP));
  const auto names = glrec::Names();
  // blend on, colour, strip, blend off, then the swap
  const auto enables = glrec::CallsNamed("glEnable");
  ASSERT_EQ(enables.size(), 1u);
  EXPECT_EQ(enables[0].args[0], GL_BLEND);
  const auto disables = glrec::CallsNamed("glDisable");
  ASSERT_EQ(disables.size(), 2u);
  EXPECT_EQ(names[names.size() - 2], "glDisable");
  EXPECT_EQ(names.back(), "swap");
}

namespace {
struct CountedPiece : Piece {
  static int destroyed;
  explicit CountedPiece(PieceList* l) : Piece(l) {}
  ~CountedPiece() override { ++destroyed; }
};
int CountedPiece::destroyed = 0;
}  // namespace

TEST_F(SceneTest, DestroyAnimationDestroysRemainingPieces) {
  CountedPiece::destroyed = 0;
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(ScenePieces->Add(new CountedPiece(ScenePieces)));
  DestroyAnimation();
  EXPECT_EQ(ScenePieces, nullptr);
  EXPECT_EQ(CountedPiece::destroyed, 3);
  Frame(0.02);  // a frame without a list still draws the sheets
  EXPECT_EQ(glrec::CallsNamed("glBegin").size(), 2u);
}
