// The property store: read and write defaults, the control's save and load
// through it, and the form property file format.
#include <gtest/gtest.h>

#include "command_logic.h"
#include "fake_command_parts.h"
#include "forms/form_property_file.h"

using namespace Wobblevista;
using namespace qgf;

namespace {

struct Control {
  cmdtest::RecordingHost host;
  cmdtest::RecordingSurface surface;
  CommandLogic logic{host, surface};
};

// Saves a control, writes the form file, parses it back and loads a new control.
void SaveAndReload(Control& from, Control& to) {
  FormProperties form;
  from.logic.WriteProperties(form.Ensure("Cmd"));
  std::string text = SerializeFormProperties(form);
  FormProperties back = ParseFormProperties(text);
  EXPECT_EQ(back.skipped_lines, 0) << text;
  const PropertyBag* bag = back.Find("Cmd");
  ASSERT_NE(bag, nullptr);
  to.logic.ReadProperties(*bag);
}

TEST(PropertyStore, CaptionCommandComesBackAsCommand1) {
  Control a, b;
  a.logic.ReadProperties(PropertyBag{});
  EXPECT_EQ(a.host.text, "Command1");
  a.host.text = "Command";
  SaveAndReload(a, b);
  EXPECT_EQ(b.host.text, "Command1");

  Control c, d;
  c.logic.ReadProperties(PropertyBag{});
  c.logic.SetCaption("設定");
  SaveAndReload(c, d);
  EXPECT_EQ(d.host.text, "設定");
}

TEST(PropertyStore, DefaultsAreNotStoredAndOtherValuesSurvive) {
  Control a;
  a.logic.ReadProperties(PropertyBag{});
  PropertyBag bag;
  a.host.text = "Command";
  a.logic.WriteProperties(bag);
  EXPECT_TRUE(bag.Entries().empty());  // everything equals its write default

  a.logic.SetEnabled(false);
  a.logic.SetVisible(0);
  a.logic.SetFont({"ＭＳ Ｐゴシック", 9.75, 700, true, false, true, 128});
  a.host.colour = 0x123456;
  PropertyBag bag2;
  a.logic.WriteProperties(bag2);
  EXPECT_TRUE(bag2.Contains("Enabled"));
  EXPECT_TRUE(bag2.Contains("Visible"));
  EXPECT_TRUE(bag2.Contains("Font"));
  EXPECT_TRUE(bag2.Contains("FontColour"));
  EXPECT_FALSE(bag2.Contains("FirstRun"));

  Control b;
  FormProperties form;
  form.Ensure("x") = bag2;
  FormProperties back = ParseFormProperties(SerializeFormProperties(form));
  b.logic.ReadProperties(*back.Find("x"));
  EXPECT_FALSE(b.logic.enabled_field());
  EXPECT_EQ(b.logic.face_style(), 0);
  EXPECT_FALSE(b.host.opaque);
  EXPECT_EQ(b.host.font, (FontSpec{"ＭＳ Ｐゴシック", 9.75, 700, true, false, true, 128}));
  EXPECT_EQ(b.host.colour, 0x123456u);
}

TEST(PropertyStore, WrongKindLeavesFieldAsItWas) {
  Control a;
  a.host.font = {"mine", 12, 400, false, false, false, 0};
  PropertyBag bag;
  bag.Set("Enabled", FontSpec{});
  bag.Set("Font", std::string("not a font"));
  bag.Set("FirstRun", std::string("300"));
  bag.Set("FontColour", std::string("blue"));
  bag.Set("Caption", FontSpec{});
  a.host.colour = 0x42;
  a.logic.ReadProperties(bag);
  EXPECT_FALSE(a.logic.enabled_field());
  EXPECT_EQ(a.host.font.face, "mine");
  EXPECT_EQ(a.logic.first_run(), 0);
  EXPECT_EQ(a.host.colour, 0x42u);
  EXPECT_EQ(a.host.text, "Command");
}

TEST(PropertyFile, ValuesRoundTripWithEscapes) {
  FormProperties form;
  PropertyBag& bag = form.Ensure("Cmd_Set");
  bag.Set("t", std::string("a\\b\nc\r\td|e=f\x01 設定"));
  bag.Set("f", FontSpec{"odd|face\\", 9.75, 400, false, true, false, 128});
  bag.Set("b", false);
  bag.Set("y", std::uint8_t{255});
  bag.Set("s", std::int16_t{-32768});
  bag.Set("l", std::int32_t{-2147483647 - 1});
  const std::string text = SerializeFormProperties(form);
  EXPECT_EQ(text.find('\r'), std::string::npos);
  FormProperties back = ParseFormProperties(text);
  ASSERT_NE(back.Find("Cmd_Set"), nullptr);
  const auto& e = back.Find("Cmd_Set")->Entries();
  ASSERT_EQ(e.size(), 6u);
  for (std::size_t i = 0; i < e.size(); ++i) EXPECT_EQ(e[i].second, bag.Entries()[i].second) << e[i].first;
}

TEST(PropertyFile, MalformedLinesAreSkippedAndCounted) {
  const std::string text =
      "Orphan=text:before any block\r\n"
      "[Cmd]\r\n"
      "Caption=text:ok\r\n"
      "NoEquals\r\n"
      "=text:nokey\r\n"
      "Bad=byte:256\r\n"
      "Bad2=i16:40000\r\n"
      "Bad3=text:dangling\\\r\n"
      "Bad4=text:\\x4\r\n"
      "Bad5=font:a|b\r\n"
      "Bad6=kind:value\r\n"
      "Bad7=font:a|9.755|400|0|0|0|0\r\n"
      "[broken\r\n"
      "Enabled=bool:False\r\n"
      "[Other]\n"
      "Enabled=bool:False\n";
  FormProperties f = ParseFormProperties(text);
  EXPECT_EQ(f.skipped_lines, 12);
  ASSERT_NE(f.Find("Cmd"), nullptr);
  EXPECT_EQ(f.Find("Cmd")->Entries().size(), 1u);
  EXPECT_EQ(std::get<std::string>(f.Find("Cmd")->Read("Caption", std::string())), "ok");
  ASSERT_NE(f.Find("Other"), nullptr);
  EXPECT_EQ(AsBool(f.Find("Other")->Read("Enabled", true)), false);
}

}  // namespace
