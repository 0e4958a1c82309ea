// The profile text reader and writer, byte for byte, against the behaviour of
// the platform's profile functions.
#include <gtest/gtest.h>

#include "settings/profile.h"

namespace {

using qg::profile::GetValue;
using qg::profile::SetValue;

std::string Get(const std::string& text, const std::string& s, const std::string& k) {
  return GetValue(text, s, k).value_or("<none>");
}

// A new file's section and keys, in order, are the "/c" process test's saved bytes.
TEST(ProfileWrite, AddsSectionsAtTheEndAndMatchesNamesWithoutRegardToCase) {
  std::string t = SetValue("[Section]\r\nKey1=Value1\r\n", "Sec2", "KeyA", "ValA");
  EXPECT_EQ(t, "[Section]\r\nKey1=Value1\r\n[Sec2]\r\nKeyA=ValA\r\n");
  // The file's spelling stays.
  t = SetValue(t, "SECTION", "KEY1", "upper");
  EXPECT_EQ(t, "[Section]\r\nKey1=upper\r\n[Sec2]\r\nKeyA=ValA\r\n");
  t = SetValue(t, "section", "Key3", "v3");
  EXPECT_EQ(t, "[Section]\r\nKey1=upper\r\nKey3=v3\r\n[Sec2]\r\nKeyA=ValA\r\n");
}

TEST(ProfileWrite, LeavesEveryOtherLineAsItWas) {
  std::string before = "; header comment\r\n\r\n[S]\r\n  a = 1  \r\n;c=x\r\n# hash\r\nnoeq\r\n\r\n[T]\r\nt=1\r\n";
  std::string after = SetValue(before, "T", "u", "2");
  EXPECT_EQ(after, before + "u=2\r\n");
  // A key added to a section with blank lines after it goes after its last entry.
  after = SetValue(before, "S", "b", "2");
  EXPECT_EQ(after, "; header comment\r\n\r\n[S]\r\n  a = 1  \r\n;c=x\r\n# hash\r\nnoeq\r\nb=2\r\n\r\n[T]\r\nt=1\r\n");
  // Replacing a value touches that line only.
  after = SetValue(before, "S", "a", "9");
  EXPECT_EQ(after, "; header comment\r\n\r\n[S]\r\na=9\r\n;c=x\r\n# hash\r\nnoeq\r\n\r\n[T]\r\nt=1\r\n");
}

TEST(ProfileWrite, LineEndsOfOtherPlatformsAndAMissingLastLineEnd) {
  EXPECT_EQ(SetValue("[S]\na=1\nb=2\n", "S", "b", "22"), "[S]\na=1\nb=22\r\n");
  EXPECT_EQ(SetValue("[S]\r\na=1", "S", "b", "2"), "[S]\r\na=1\r\nb=2\r\n");
  EXPECT_EQ(SetValue("[S]", "S", "b", "2"), "[S]\r\nb=2\r\n");
  EXPECT_EQ(SetValue("[S]\r\na=1", "T", "b", "2"), "[S]\r\na=1\r\n[T]\r\nb=2\r\n");
  EXPECT_EQ(SetValue("[S]\ra=1\rb=2\r", "S", "a", "x"), "[S]\ra=x\r\nb=2\r");
}

TEST(ProfileRead, LineEndsOfEveryKindAndCp932TrailBytesThatAreNeitherEscapesNorLetters) {
  // ソ is 83 5C; ア is 83 41 and ャ is 83 61, which differ only in the ASCII
  // case of their second byte: they must not match each other.
  const std::string cp932 = "[S]\r\nk=\x83\x5c\r\nk2=\x83\x5c\x83\x5c\r\nk3=\x83\x5c \r\n\x83\x5c=key\r\n\x83\x41=a\r\n";
  const struct {
    std::string text, section, key, want;
  } cases[] = {
      {"[S]\nk1=v1\nk2=v2\n[T]\nt=1\n", "T", "t", "1"}, {"[S]\r\nk1=v1\nk2=v2\r\n", "S", "k2", "v2"},
      {"[S]\rk=e\rf=g\r", "S", "k", "e"}, {"[S]\rk=e\rf=g\r", "S", "f", "g"},
      {cp932, "S", "k", "\x83\x5c"}, {cp932, "S", "k2", "\x83\x5c\x83\x5c"}, {cp932, "S", "k3", "\x83\x5c"},
      {cp932, "S", "\x83\x5c", "key"}, {cp932, "S", "\x83\x41", "a"}, {cp932, "S", "\x83\x61", "<none>"},
  };
  for (const auto& c : cases) EXPECT_EQ(Get(c.text, c.section, c.key), c.want) << c.key;
  EXPECT_TRUE(qg::profile::NamesEqual("BGM\x8b\xe6\x95\xaa", "bgm\x8b\xe6\x95\xaa"));
}

TEST(ProfileRead, ByteOrderMarkIsNotPartOfTheFirstName) {
  std::string t = "\xEF\xBB\xBF[S]\r\nk=\xE3\x82\xBD\r\nk2=abc";
  EXPECT_TRUE(qg::profile::HasUtf8Bom(t));
  EXPECT_EQ(Get(t, "S", "k"), "\xE3\x82\xBD");
  EXPECT_EQ(Get(t, "S", "k2"), "abc");
  EXPECT_EQ(Get("\xEF\xBB\xBFk=v\r\n[S]\r\n", "", "k"), "v");
  EXPECT_EQ(SetValue("\xEF\xBB\xBF", "S", "k", "v"), "\xEF\xBB\xBF[S]\r\nk=v\r\n");
}

}  // namespace
