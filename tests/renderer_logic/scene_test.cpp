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
