// The scene's clockwork, its pieces and the snapshot loader's messages,
// without a GL context: the GL library ignores the calls, and what is
// observed is the state the calls are made from. The real frame is checked
// in real_gl_frame_test.cpp, the sheets' slide too.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "bmp_writer.h"
#include "fake_clock.h"
#include "memory_loader.h"
#include "pieces.h"
#include "scene.h"

TEST(SceneTest, DriftRatesAreDrawnOnEveryFiveHundredthFrame) {
  FakeClock clock;
  ResetSceneState();
  InitAnimation();
  const auto frames = [&](int count) {  // passes of the loop, 20 ms apart
    for (int i = 0; i < count; ++i) clock.AdvanceSeconds(0.02), TickClock(), DrawFrame([] {});
  };
  std::srand(4242);
  int expected[8];
  for (int& e : expected) e = std::rand() % 50;
  std::srand(4242);
  frames(499);
  for (float r : DriftRates) EXPECT_EQ(r, 0.0f);
  frames(1);  // frame 500
  EXPECT_EQ(FrameCounter, 0);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(DriftRates[k], float(expected[k])) << k;
  EXPECT_NEAR(RotationAngle, expected[0] * 0.02, 1e-9);
  frames(499);
  EXPECT_NEAR(RotationAngle, expected[0] * 0.02 * 500, 1e-6);
  frames(1);  // frame 1000: the next four draws
  for (int k = 0; k < 4; ++k) EXPECT_EQ(DriftRates[k], float(expected[4 + k])) << k;
  ResetSceneState();
}

namespace {

// Pieces on a clock of 10 ms frames.
class PiecesTest : public ::testing::Test {
 protected:
  void SetUp() override { SetClock(0.0, 0.01); }
  void TearDown() override { SetClock(0.0, 0.0); }
  static void SetClock(double now, double delta) {
    ClockNow = float(ClockNowSeconds = now);
    FrameDelta = float(FrameDeltaSeconds = delta);
  }
  // A steady piece, tagged by its x, that lives long or fades out at its next update.
  static Piece* Make(PieceList& list, float tag, bool dies = false) {
    Piece* p = new Piece(&list);
    p->position[0] = tag;
    p->fadingIn = false;
    p->colour[3] = dies ? 0.0f : 1.0f;
    p->fadingOut = dies;
    p->fadeOutRate = 1.0f;
    p->lifetime = 1e6f;
    return p;
  }
  // The tags from head to tail, checking that the list holds together.
  static std::vector<float> Tags(const PieceList& list) {
    std::vector<float> tags;
    const Piece* last = nullptr;
    for (const Piece* p = list.Head(); p; p = p->next) tags.push_back((last = p)->position[0]);
    EXPECT_EQ(last, list.Tail());
    EXPECT_EQ(int(tags.size()), list.Count());
    return tags;
  }
};

}  // namespace

TEST_F(PiecesTest, FullListRefusesAndDeadPiecesGoKeepingTheOrder) {
  PieceList list(5);
  for (int tag = 1; tag <= 5; ++tag) ASSERT_TRUE(list.Add(Make(list, float(tag), tag % 2 == 1)));  // 1, 3, 5 die
  auto extra = std::unique_ptr<Piece>(Make(list, 99));
  EXPECT_FALSE(list.Add(extra.get()));
  if (list.Count() > 5) extra.release();  // taken after all: the list owns it now
  EXPECT_EQ(Tags(list), (std::vector<float>{1, 2, 3, 4, 5}));
  list.UpdateAndDraw();  // head, middle and tail die together
  EXPECT_EQ(Tags(list), (std::vector<float>{2, 4}));
  list.Add(Make(list, 6));  // and a piece added afterwards follows the new tail
  EXPECT_EQ(Tags(list), (std::vector<float>{2, 4, 6}));
}

TEST_F(PiecesTest, FadesInThenOutAfterItsLifetimeAndGrowsPerFrameToItsLimit) {
  PieceList list(1);
  Piece p(&list);
  p.lifetime = 5.0f;
  p.fadeOutRate = 0.5f;
  const double frame = 0.02;
  double t = 0, opaque = -1, fadeStart = -1, death = -1;
  while (t < 20 && death < 0) {
    SetClock(t += frame, frame);
    p.Update();
    if (!p.fadingIn && opaque < 0) opaque = t;
    if (p.fadingOut && fadeStart < 0) fadeStart = t;
    if (!p.alive) death = t;
  }
  EXPECT_NEAR(opaque, 1.0, 2 * frame);  // at the fade-in rate of one a second
  EXPECT_GT(fadeStart, 5.0);
  EXPECT_LT(fadeStart, 5.0 + 2 * frame);
  EXPECT_NEAR(death - fadeStart, 2.0, 0.05);

  Piece grow(&list), shrink(&list);
  grow.growth = 0.2f;
  shrink.growth = -0.3f;
  SetClock(0, 0.5);  // growth ignores the frame time
  grow.Update();
  EXPECT_FLOAT_EQ(grow.halfSize, 1.2f);
  for (int i = 0; i < 200; ++i) grow.Update(), shrink.Update();
  EXPECT_NEAR(grow.halfSize, 17.1f, 0.1f);
  EXPECT_EQ(shrink.halfSize, 0.0f);
}

// An unknown header's message is the renderer's show test's, from the real program.
TEST(LoaderTest, MessagesForEachFailureAndNoneForAMissingSnapshot) {
  const std::string path = "/run/user/1000/kestrow/Wobblevista.bmp";
  const auto with = [](size_t at, uint32_t value) {  // a good file with one field changed
    std::vector<uint8_t> f = bmptest::Encode(bmptest::Gradient(4, 4), {});
    return bmptest::PutU32(f, at, value), f;
  };
  const struct {
    std::string path;
    std::vector<uint8_t> bytes;
    std::vector<std::string> messages;
  } cases[] = {
      {path, {}, {"Failed to open DIB file " + path + ".\n"}},
      {path, with(22, 100000), {"Image file conversion error."}},  // a height past the end
      {"/nowhere/Wobblevista.bmp", {}, {}},
      {"", {}, {}},
  };
  for (const auto& c : cases) {
    MemoryLoader platform;
    if (c.path == path) platform.files[path] = c.bytes;
    EXPECT_FALSE(LoadSnapshotImage(platform, c.path).has_value()) << c.path;
    EXPECT_EQ(platform.messages, c.messages) << c.path;
  }
}
