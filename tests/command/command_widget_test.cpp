// The Command widget on the offscreen Qt platform: its face read back from a
// grabbed image, and its state machine driven by real Qt mouse, focus and key
// events and by its own 100 ms pointer timer.
#include <gtest/gtest.h>

#include <QCursor>
#include <QImage>
#include <QTest>
#include <QWidget>

#include "command.h"
#include "forms/form.h"
#include "offscreen_qt.h"

using Wobblevista::Command;
using Wobblevista::Look;

namespace {

using qttest::Q;
using qttest::WaitFor;

struct Rgb {
  int r, g, b;
};
Rgb At(const QImage& img, int x, int y) {
  QColor c = img.pixelColor(x, y);
  return {c.red(), c.green(), c.blue()};
}
int Brightness(Rgb c) { return c.r + c.g + c.b; }

class HostForm : public qgf::Form {
 public:
  HostForm() : cmd(*this), other(*this), sink(*this) {
    SetScaleMode(qgf::ScaleMode::Pixels);
    SetBackColour(qgf::Colour::Rgb(0x20, 0x80, 0x20));
    Move(0, 0, 300 * 15, 200 * 15);
    cmd.Move(10, 10, 120, 60);  // 1800 x 900 twips
    other.Move(150, 10, 120, 60);
    sink.Move(150, 120, 60, 30);
    cmd.onClick = [this] { ++clicks; };
  }
  Command cmd;
  Command other;
  Command sink;  // holds the focus at the start of each test
  int clicks = 0;
};

class CommandWidget : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<HostForm>();
    form->cmd.ReadProperties(qgf::PropertyBag{});
    form->other.ReadProperties(qgf::PropertyBag{});
    form->Show();
    QWidget* top = Q(*form);
    top->move(0, 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
    top->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(top));
    form->sink.SetFocus();
    ASSERT_TRUE(WaitFor([&] { return Q(form->sink)->hasFocus(); }));
    QCursor::setPos(top->mapToGlobal(QPoint(280, 180)));  // on the form, off both buttons
    form->cmd.Initialize();
    form->other.Initialize();
      }
  void TearDown() override { form.reset(); }

  QWidget* W() { return Q(form->cmd); }
  QImage Face() { return W()->grab().toImage(); }
  void Hover(QPoint at = QPoint(60, 10)) {
    QCursor::setPos(W()->mapToGlobal(at));
    QTest::mouseMove(W(), at);
  }
  std::unique_ptr<HostForm> form;
};

TEST_F(CommandWidget, NormalFaceFrameGradientAndCaption) {
  form->cmd.SetCaption("設定");
  QImage img = Face();
  ASSERT_EQ(img.width(), 120);
  ASSERT_EQ(img.height(), 60);
  // The Normal frame: dark blue one pixel in from each edge, corners at 4 x 4.
  for (auto [x, y] : {std::pair{60, 1}, {60, 58}, {1, 30}, {118, 30}}) {
    EXPECT_EQ(img.pixelColor(x, y), QColor(0x00, 0x3C, 0x74)) << x << "," << y;
  }
  // The gradient: white at the top, lavender (198, 197, 215) at the bottom.
  Rgb top = At(img, 20, 4), bottom = At(img, 20, 55);
  EXPECT_GE(top.r, 248);
  EXPECT_GE(top.b, 248);
  EXPECT_NEAR(bottom.r, 198, 6);
  EXPECT_NEAR(bottom.g, 197, 6);
  EXPECT_NEAR(bottom.b, 215, 6);
  EXPECT_GT(Brightness(At(img, 20, 20)), Brightness(At(img, 20, 40)));
  QWidget* label = Q(form->cmd.caption_label());
  // Some dark caption pixels lie in the middle of the face.
  int dark = 0;
  for (int y = label->y(); y < label->y() + label->height(); ++y)
    for (int x = 40; x < 80; ++x) dark += Brightness(At(img, x, y)) < 300;
  EXPECT_GT(dark, 5);
}

// The HighLight face and the timer's look-out for a leave are seen through a
// real pointer in the "/c" process test.
TEST_F(CommandWidget, ClickOnHoveredControlAndOnItsCaption) {
  Hover();
  QWidget* label = Q(form->cmd.caption_label());
  QCursor::setPos(label->mapToGlobal(QPoint(60, 5)));  // over the caption is not a leave
  QTest::qWait(350);
  ASSERT_EQ(form->cmd.logic().button_state(), 2);
  QTest::mouseClick(W(), Qt::LeftButton, {}, QPoint(60, 30));
  EXPECT_EQ(form->clicks, 1);
  EXPECT_EQ(form->cmd.logic().last_look(), Look::HighLightSelect);
  // The last paint before state 4 was in state 2: lavender stays on top.
  EXPECT_LT(Brightness(At(Face(), 20, 5)), Brightness(At(Face(), 20, 54)));
  // A press on the caption label counts once, as on the face.
  QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(60, 5));
  EXPECT_EQ(form->clicks, 2);
  // Right and middle releases raise Click too, without a repaint.
  const int paints = form->cmd.logic().paint_count();
  QTest::mouseClick(W(), Qt::RightButton, {}, QPoint(60, 30));
  QTest::mouseClick(W(), Qt::MiddleButton, {}, QPoint(60, 30));
  EXPECT_EQ(form->clicks, 4);
  EXPECT_EQ(form->cmd.logic().paint_count(), paints);
}

TEST_F(CommandWidget, APressDraggedOffTheFocusedControlIsCancelledOneWithoutFocusStillClicks) {
  Hover();
  QTest::mousePress(W(), Qt::LeftButton, {}, QPoint(60, 30));  // the press gives it the focus
  ASSERT_TRUE(WaitFor([&] { return W()->hasFocus(); }));
  QCursor::setPos(Q(*form)->mapToGlobal(QPoint(280, 180)));
  EXPECT_TRUE(WaitFor([&] { return form->cmd.logic().button_state() == 3; })) << "the timer missed the leave";
  EXPECT_EQ(form->cmd.logic().last_look(), Look::Selected);
  Hover();  // back over the control while held: stays 3
  EXPECT_EQ(form->cmd.logic().button_state(), 3);
  QTest::mouseRelease(W(), Qt::LeftButton, {}, QPoint(60, 30));
  EXPECT_EQ(form->clicks, 0);
  Hover(QPoint(61, 30));  // the next move after the release
  EXPECT_EQ(form->cmd.logic().button_state(), 4);
  EXPECT_EQ(form->cmd.logic().last_look(), Look::HighLightSelect);
  EXPECT_FALSE(form->cmd.logic().gradient_reversed());  // reached from state 3: white on top

  // The other control has no focus: dragged off and released, it clicks.
  int otherClicks = 0;
  form->other.onClick = [&] { ++otherClicks; };
  QWidget* o = Q(form->other);
  QCursor::setPos(o->mapToGlobal(QPoint(60, 10)));
  QTest::mouseMove(o, QPoint(60, 10));
  o->setFocusPolicy(Qt::NoFocus);
  QTest::mousePress(o, Qt::LeftButton, {}, QPoint(60, 30));
  QCursor::setPos(Q(*form)->mapToGlobal(QPoint(280, 180)));
  EXPECT_TRUE(WaitFor([&] { return form->other.logic().button_state() == 1; }));
  QTest::mouseRelease(o, Qt::LeftButton, {}, QPoint(60, 30));
  EXPECT_EQ(otherClicks, 1);
}

TEST_F(CommandWidget, DisabledShowsDisableAndIgnoresInput) {
  form->cmd.SetEnabled(false);
  EXPECT_FALSE(Q(form->cmd.caption_label())->isEnabled());
  Hover();
  QTest::mouseClick(W(), Qt::LeftButton, {}, QPoint(60, 30));
  EXPECT_EQ(form->clicks, 0);
  EXPECT_EQ(form->cmd.logic().button_state(), 1);
  // A resize paints Disable again (its face itself is checked in the dialog's test).
  form->cmd.Move(10, 10, 200, 40);
  QImage wide = Face();
  EXPECT_EQ(wide.width(), 200);
  EXPECT_EQ(At(wide, 190, 1).r, 0xC9);
  EXPECT_EQ(At(wide, 100, 38).r, 0xC9);  // the bottom frame row, at the new height
}

}  // namespace
