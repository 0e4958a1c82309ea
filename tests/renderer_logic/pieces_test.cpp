#include "pieces.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "frame_timer.h"
#include "gl_recorder.h"

namespace {

class PiecesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    glrec::Clear();
    SetClock(0.0, 0.01);
  }
  void TearDown() override { SetClock(0.0, 0.0); }
  static void SetClock(double now, double delta) {
    ClockNowSeconds = now;
    ClockNow = float(now);
    FrameDeltaSeconds = delta;
    FrameDelta = float(delta);
  }
  // A piece that stays alive (steady, long life) or dies at its next update.
  Piece* Make(PieceList& list, float tag, bool dies = false) {
    Piece* p = new Piece(&list);
    p->position[0] = tag;
    p->fadingIn = false;
    p->colour[3] = dies ? 0.0f : 1.0f;
    p->fadingOut = dies;
    p->fadeOutRate = 1.0f;
    p->lifetime = 1e6f;
    return p;
  }
  static std::vector<float> Tags(const PieceList& list) {
    std::vector<float> tags;
    for (Piece* p = list.Head(); p; p = p->next) tags.push_back(p->position[0]);
    return tags;
  }
  static void ExpectInvariants(const PieceList& list) {
    EXPECT_EQ(list.Head() == nullptr, list.Tail() == nullptr);
    int n = 0;
    Piece* last = nullptr;
    for (Piece* p = list.Head(); p; p = p->next) {
      ++n;
      last = p;
    }
    EXPECT_EQ(last, list.Tail());
    EXPECT_EQ(n, list.Count());
    EXPECT_LE(list.Count(), list.Capacity());
  }
};

}  // namespace

TEST_F(PiecesTest, FullListRefusesAndKeepsItsCount) {
  PieceList list(500);
  for (int i = 0; i < 500; ++i) ASSERT_TRUE(list.Add(Make(list, float(i))));
  Piece* extra = Make(list, 999);
  EXPECT_FALSE(list.Add(extra));
  EXPECT_EQ(list.Count(), 500);
  EXPECT_EQ(list.Tail()->position[0], 499.0f);
  ExpectInvariants(list);
  delete extra;
}

TEST_F(PiecesTest, RemovesHeadTailAndMiddleKeepingOrder) {
  PieceList list(10);
  list.Add(Make(list, 1, true));   // head dies
  list.Add(Make(list, 2));
  list.Add(Make(list, 3, true));   // middle dies
  list.Add(Make(list, 4));
  list.Add(Make(list, 5, true));   // tail dies
  list.UpdateAndDraw();
  EXPECT_EQ(Tags(list), (std::vector<float>{2, 4}));
  ExpectInvariants(list);
  // Only the survivors were drawn, oldest first.
  ASSERT_EQ(glrec::CallsNamed("glBegin").size(), 2u);
  EXPECT_NEAR(glrec::Primitive(0)[0][2], 2 + 1.0, 1e-5);  // x + h of the first strip
  EXPECT_NEAR(glrec::Primitive(1)[0][2], 4 + 1.0, 1e-5);
  EXPECT_TRUE(glrec::Recorded().faults.empty());
  // A piece added afterwards follows the new tail.
  list.Add(Make(list, 6));
  EXPECT_EQ(Tags(list), (std::vector<float>{2, 4, 6}));
  ExpectInvariants(list);
}

TEST_F(PiecesTest, FadesInThenOutAfterItsLifetime) {
  PieceList list(1);
  Piece p(&list);
  p.colour[3] = 1.0f;
  p.Update();  // an opaque piece leaves fading in at once
  EXPECT_FALSE(p.fadingIn);
  EXPECT_EQ(p.colour[3], 1.0f);

  Piece q(&list);
  q.lifetime = 5.0f;
  q.fadeOutRate = 0.5f;
  const double frame = 0.02;
  double t = 0, fadeStart = -1, death = -1;
  while (t < 20 && death < 0) {
    t += frame;
    SetClock(t, frame);
    q.Update();
    if (q.fadingOut && fadeStart < 0) fadeStart = t;
    if (!q.alive) death = t;
  }
  EXPECT_GT(fadeStart, 5.0);
  EXPECT_LT(fadeStart, 5.0 + 2 * frame);
  EXPECT_NEAR(death - fadeStart, 2.0, 0.05);
}

TEST_F(PiecesTest, GrowsPerFrameUpToItsLimitAndShrinksToZero) {
  PieceList list(1);
  Piece grow(&list);
  grow.growth = 0.2f;
  SetClock(0, 0.5);  // growth ignores the frame time
  grow.Update();
  EXPECT_FLOAT_EQ(grow.halfSize, 1.2f);
  for (int i = 0; i < 200; ++i) grow.Update();
  EXPECT_GT(grow.halfSize, 17.0f);
  EXPECT_LE(grow.halfSize, 17.2f + 1e-4f);

  Piece shrink(&list);
  shrink.growth = -0.3f;
  for (int i = 0; i < 10; ++i) shrink.Update();
  EXPECT_EQ(shrink.halfSize, 0.0f);
}
