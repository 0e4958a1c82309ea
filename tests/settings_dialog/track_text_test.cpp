// How 設定 reads the track box.
#include <gtest/gtest.h>

#include "dialog_track_text.h"

using Wobblevista_P_Track::TrackFromText;

TEST(TrackText, NumbersAreRoundedHalfToEven) {
  EXPECT_EQ(TrackFromText("7"), 7);
  EXPECT_EQ(TrackFromText(" 12 "), 12);
  EXPECT_EQ(TrackFromText("2.5"), 2);
  EXPECT_EQ(TrackFromText("3.5"), 4);
  EXPECT_EQ(TrackFromText("-1.5"), -2);
  EXPECT_EQ(TrackFromText("1e1"), 10);
  EXPECT_EQ(TrackFromText("+30"), 30);
  EXPECT_EQ(TrackFromText(".5"), 0);
  EXPECT_EQ(TrackFromText("32767"), 32767);
  EXPECT_EQ(TrackFromText("-32768"), -32768);
}

TEST(TrackText, EverythingElseIsTrackZero) {
  for (const char* text : {"", " ", "abc", "7a", "1e", "--1", "1.2.3", "&H10", "32768", "-32769", "99999999999",
                           "1e400", "nan", "inf", "0x10", "７"}) {
    EXPECT_EQ(TrackFromText(text), 0) << text;
  }
}
