// Reading and writing numbers as the settings, the command line and the
// dialog need them.
#include <gtest/gtest.h>

#include "number_text.h"

namespace {

TEST(SettingNumber, EmptyIsZeroAndFractionsRoundDown) {
  EXPECT_EQ(qg::ReadSettingNumber(""), 0);
  EXPECT_EQ(qg::ReadSettingNumber("2"), 2);
  EXPECT_EQ(qg::ReadSettingNumber("7.9"), 7);
  EXPECT_EQ(qg::ReadSettingNumber("1.9"), 1);
  EXPECT_EQ(qg::ReadSettingNumber("-0.5"), -1);
  EXPECT_EQ(qg::ReadSettingNumber("  12  "), 12);
  EXPECT_EQ(qg::ReadSettingNumber("+3"), 3);
  EXPECT_EQ(qg::ReadSettingNumber("1e2"), 100);
  EXPECT_EQ(qg::ReadSettingNumber("2.5E-1"), 0);
  EXPECT_EQ(qg::ReadSettingNumber(".5"), 0);
  EXPECT_EQ(qg::ReadSettingNumber("32767"), 32767);
  EXPECT_EQ(qg::ReadSettingNumber("-32768"), -32768);
}

TEST(SettingNumber, TextsThatAreNoSixteenBitNumberGiveNothing) {
  for (const char* bad : {"abc", "12abc", "1 2", "-", ".", "e5", "1e", "99999", "32768", "-32768.5", "1e999",
                          "nan", "inf", "0x10", "\x83\x5c"})
    EXPECT_FALSE(qg::ReadSettingNumber(bad).has_value()) << bad;
}

TEST(WindowHandle, DecimalRoundedAndHexadecimalAccepted) {
  EXPECT_EQ(qg::ReadWindowHandle("1234"), 1234u);
  EXPECT_EQ(qg::ReadWindowHandle(" 4194311"), 4194311u);
  EXPECT_EQ(qg::ReadWindowHandle("0x400007"), 0x400007u);
  EXPECT_EQ(qg::ReadWindowHandle("0X1a"), 0x1Au);
  EXPECT_EQ(qg::ReadWindowHandle(""), 0u);
  EXPECT_EQ(qg::ReadWindowHandle("abc"), 0u);
  EXPECT_EQ(qg::ReadWindowHandle("2.5"), 2u);  // half to even
  EXPECT_EQ(qg::ReadWindowHandle("3.5"), 4u);
  EXPECT_EQ(qg::ReadWindowHandle("99999999999"), 0u);
  EXPECT_EQ(qg::ReadWindowHandle("0x1FFFFFFFF"), 0u);
  EXPECT_EQ(qg::ReadWindowHandle("0x"), 0u);
}

}  // namespace
