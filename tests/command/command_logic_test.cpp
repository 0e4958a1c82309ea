// The Command control's state machine and properties, over stand-ins for its
// platform side that keep what it sets. The sequences driven by real Qt
// events are in command_widget_test.cpp.
#include <gtest/gtest.h>

#include "command_host.h"
#include "command_logic.h"
#include "face_surface.h"

using Wobblevista::CommandLogic;
using Wobblevista::Look;
using Wobblevista::MouseButton;

namespace {

// A face of 1800 x 900 twips with every picture there; drawing goes nowhere.
class Surface : public Wobblevista::FaceSurface {
 public:
  int WidthTwips() const override { return 1800; }
  int HeightTwips() const override { return 900; }
  int WidthPixels() const override { return 120; }
  int HeightPixels() const override { return 60; }
  void Clear() override {}
  void PaintPicture(Look, int, int, int, int, int, int, int, int) override {}
  bool HasPicture(Look) const override { return true; }
  void FillVerticalGradient(int, int, int, int, Wobblevista::Colour16, Wobblevista::Colour16) override {}
  void Refresh() override {}
  int CaptionHeightTwips() const override { return 195; }
  void PlaceCaption(double, double, double) override {}
};

class Host : public Wobblevista::CommandHost {
 public:
  std::string text = "Command";
  Wobblevista::FontSpec font{"ambient", 8.0, 400, false, false, false, 0};
  std::uint32_t colour = 0;
  bool caption_enabled = true, opaque = true;
  int clicks = 0;
  std::vector<std::string> changed;

  std::string CaptionText() const override { return text; }
  void SetCaptionText(const std::string& t) override { text = t; }
  Wobblevista::FontSpec CaptionFont() const override { return font; }
  void SetCaptionFont(const Wobblevista::FontSpec& f) override { font = f; }
  std::uint32_t CaptionColour() const override { return colour; }
  void SetCaptionColour(std::uint32_t c) override { colour = c; }
  void SetCaptionEnabled(bool e) override { caption_enabled = e; }
  void SetFaceOpaque(bool o) override { opaque = o; }
  void StartMouseTimer() override {}
  void RaiseClick() override { ++clicks; }
  void PropertyChanged(const std::string& key) override { changed.push_back(key); }
  Wobblevista::FontSpec AmbientFont() const override { return font; }
};

struct Control {
  Host host;
  Surface surface;
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

TEST(CommandStateMachine, OnlyTheLeftButtonPressesAndDragOffWithoutFocusStillClicks) {
  Control c;
  c.Place();
  c.logic.OnMouseMove();
  for (MouseButton other : {MouseButton::Right, MouseButton::Middle}) {
    c.logic.OnMouseDown(other);
    EXPECT_EQ(c.logic.last_look(), Look::HighLight) << "pressed by another button";
  }
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
