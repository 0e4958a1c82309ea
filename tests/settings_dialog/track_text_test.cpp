// How 設定 reads the track box.
#include <gtest/gtest.h>

#include <utility>

#include "dialog_track_text.h"

using Wobblevista_P_Track::TrackFromText;

TEST(TrackText, NumbersAreRoundedHalfToEvenAndEverythingElseIsTrackZero) {
  for (auto [text, want] : {std::pair{"7", 7}, {" 12 ", 12}, {"2.5", 2}, {"3.5", 4}, {"-1.5", -2}, {"1e1", 10},
                            {"+30", 30}, {".5", 0}, {"32767", 32767}, {"-32768", -32768}})
    EXPECT_EQ(TrackFromText(text), want) << text;
  for (const char* text : {"", " ", "abc", "7a", "1e", "--1", "1.2.3", "&H10", "32768", "-32769", "99999999999",
                           "1e400", "nan", "inf", "0x10", "７"})
    EXPECT_EQ(TrackFromText(text), 0) << text;
}
