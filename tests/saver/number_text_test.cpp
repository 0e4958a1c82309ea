// Reading numbers as the settings, the command line and the dialog need them.
#include <gtest/gtest.h>

#include <utility>

#include "number_text.h"

namespace {

TEST(SettingNumber, EmptyIsZeroFractionsRoundDownAndNoSixteenBitNumberGivesNothing) {
  for (auto [text, want] : {std::pair{"", 0}, {"2", 2}, {"7.9", 7}, {"1.9", 1}, {"-0.5", -1}, {"  12  ", 12},
                            {"+3", 3}, {"1e2", 100}, {"2.5E-1", 0}, {".5", 0}, {"32767", 32767}, {"-32768", -32768}})
    EXPECT_EQ(qg::ReadSettingNumber(text), want) << text;
  for (const char* bad : {"abc", "12abc", "1 2", "-", ".", "e5", "1e", "99999", "32768", "-32768.5", "1e999",
                          "nan", "inf", "0x10", "\x83\x5c"})
    EXPECT_FALSE(qg::ReadSettingNumber(bad).has_value()) << bad;
}

TEST(WindowHandle, DecimalRoundedAndHexadecimalAccepted) {
  for (auto [text, want] : {std::pair{"1234", 1234u}, {" 4194311", 4194311u}, {"0x400007", 0x400007u},
                            {"0X1a", 0x1Au}, {"", 0u}, {"abc", 0u}, {"2.5", 2u} /* half to even */, {"3.5", 4u},
                            {"99999999999", 0u}, {"0x1FFFFFFFF", 0u}, {"0x", 0u}})
    EXPECT_EQ(qg::ReadWindowHandle(text), want) << text;
}

}  // namespace
