// The Command control's state machine, properties and first placement, over
// recording stand-ins for its platform side. The sequences driven by real Qt
// events are in command_widget_test.cpp.
#include <gtest/gtest.h>

#include "command_logic.h"
#include "fake_command_parts.h"

using Wobblevista::CommandLogic;
using Wobblevista::Look;
using Wobblevista::MouseButton;

namespace {

struct Control {
  cmdtest::RecordingHost host;
  cmdtest::RecordingSurface surface;
  CommandLogic logic{host, surface};
  // A control as a form places it: loaded from an empty store, then Initialize.
  void Place() {
    logic.ReadProperties(qgf::PropertyBag{});
    logic.Initialize();
  }
};

TEST(CommandStateMachine, NewInstanceBecomesEnabledOnFirstReadOfEnabled) {
  Control c;
  EXPECT_EQ(c.logic.button_state(), 0);
  EXPECT_FALSE(c.logic.enabled_field());
  EXPECT_EQ(c.logic.first_run(), 0);
  EXPECT_TRUE(c.logic.Enabled());
  EXPECT_EQ(c.logic.first_run(), 1);
  EXPECT_EQ(c.logic.last_look(), Look::Normal);
  // Every later read repaints with Normal or Disable.
  c.logic.SetEnabled(false);
  int before = c.logic.paint_count();
  EXPECT_FALSE(c.logic.Enabled());
  EXPECT_EQ(c.logic.paint_count(), before + 1);
  EXPECT_EQ(c.logic.last_look(), Look::Disable);
  EXPECT_FALSE(c.host.caption_enabled);
}

TEST(CommandStateMachine, PressLeaveComeBackReleaseIsCancelled) {
  Control c;
  c.Place();
  c.logic.OnMouseMove();
  c.logic.OnFocusGained();
  c.logic.OnMouseDown(MouseButton::Left);
  c.logic.OnMouseTimer(false);  // the pointer has left: 4 -> 3
  EXPECT_EQ(c.logic.button_state(), 3);
  EXPECT_EQ(c.logic.last_look(), Look::Selected);
  c.logic.OnMouseMove();  // back over the control while held: stays 3
  EXPECT_EQ(c.logic.button_state(), 3);
  c.logic.OnMouseUp(MouseButton::Left);
  EXPECT_EQ(c.host.clicks, 0);
  EXPECT_EQ(c.logic.last_look(), Look::Selected);
  c.logic.OnMouseMove();  // the next move after the release
  EXPECT_EQ(c.logic.button_state(), 4);
  EXPECT_EQ(c.logic.last_look(), Look::HighLightSelect);
  EXPECT_FALSE(c.logic.gradient_reversed());  // reached from state 3: white on top
}

TEST(CommandStateMachine, DragOffWithoutFocusStillClicks) {
  Control c;
  c.Place();
  c.logic.OnMouseMove();
  c.logic.OnMouseDown(MouseButton::Left);
  c.logic.OnMouseTimer(false);
  EXPECT_EQ(c.logic.button_state(), 1);
  c.logic.OnMouseUp(MouseButton::Left);
  EXPECT_EQ(c.host.clicks, 1);
}

TEST(CommandProperties, FontColourAndVisible) {
  Control c;
  c.Place();
  c.logic.SetFontColour(0x0000FF);
  EXPECT_EQ(c.host.colour, 0x0000FFu);
  EXPECT_EQ(c.logic.FontColour(), 0x0000FFu);
  c.logic.SetVisible(0);
  EXPECT_EQ(c.logic.Visible(), 0);
  EXPECT_FALSE(c.host.opaque);
  c.logic.SetVisible(7);
  EXPECT_EQ(c.logic.Visible(), 255);
  EXPECT_TRUE(c.host.opaque);
  EXPECT_EQ(c.host.changed.back(), "Visible");

  // A hovered control read for FontColour looks at rest, its state unchanged.
  c.logic.OnMouseMove();
  c.logic.FontColour();
  EXPECT_EQ(c.logic.last_look(), Look::Normal);
  EXPECT_EQ(c.logic.button_state(), 2);
}

}  // namespace
