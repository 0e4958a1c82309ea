// The settings file on disk, byte for byte, under the real code page 932
// conversion.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "path_helpers.h"
#include "process.h"
#include "settings/settings_file.h"
#include "settings_bytes.h"
#include "test_file_system.h"

namespace {

void Spit(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

using qgtest::kFileKey;
using qgtest::kKindKey;
using qgtest::kRepeatKey;

struct SettingsFile : ::testing::Test {
  qgtest::TempDir dir;
  qgtest::TestFileSystem fs{dir.path()};
  qg::CodePage& cp = qg::Cp932();
  std::string ini() const { return dir.path() + "/Quiverglide.ini"; }
  // Kind, track, file and folder, as read.
  using Values = std::tuple<int, int, std::string, std::string>;
  Values Load() {
    qg::MusicSettingsValues v;
    qg::LoadMusicSettings(fs, cp, v);
    return {v.kind, v.repeat, v.file, v.folder};
  }
};

// A first save's bytes are checked by the "/c" process test.
TEST_F(SettingsFile, NoFileNumberRulesAndAKindWithoutItsFile) {
  EXPECT_EQ(Load(), Values(0, 0, "", dir.path()));
  EXPECT_FALSE(qg::FileExists(fs, ini()));  // reading creates nothing
  std::string song = dir.path() + "/テーマ.MP3";
  Spit(song, "x");
  std::string song932;
  ASSERT_TRUE(cp.FromUtf8(song, song932));
  struct Case {
    std::string kind, repeat, file;
    int want_kind, want_repeat;
    bool want_file;
    std::string eq = "=", eol = "\r\n";
  } cases[] = {
      {"2", "0", "", 0, 0, false},           // kind 2 with no file falls back to none
      {"2", "0", song932, 2, 0, true},       // a file that exists stays
      {"1", "7.9", "", 1, 7, false},         // the CD keeps its kind without a file
      {"abc", "99999", song932, 0, 0, true}, // not a number / out of range stay 0
      {"5", "30", "", 5, 30, false},         // an unknown kind is kept as read
      {" 2 ", "-0.5", song932, 2, -1, true},
      // As other programs write them: quoted, blanks around the "=", LF alone.
      {"\"2\"", "'7'", "\"" + song932 + "\"", 2, 7, true},
      {"2\t", " 3", " " + song932 + " ", 2, 3, true, " = ", "\n"},
      {"\"2", "7'", "'" + song932 + "\"", 0, 0, false},  // quotes that do not pair stay part of the value
  };
  for (const Case& c : cases) {
    Spit(ini(), "[Section]" + c.eol + kKindKey + c.eq + c.kind + c.eol + kRepeatKey + c.eq + c.repeat + c.eol +
                    kFileKey + c.eq + c.file + c.eol);
    EXPECT_EQ(Load(), Values(c.want_kind, c.want_repeat, c.want_file ? song : "", dir.path())) << c.kind << c.repeat;
  }
  // A file that has been deleted: kind none, folder the program's.
  Spit(ini(), "[Section]\r\n" + kKindKey + "=2\r\n" + kFileKey + "=" + dir.path() + "/gone.mp3\r\n");
  EXPECT_EQ(Load(), Values(0, 0, "", dir.path()));
}

TEST_F(SettingsFile, AFileWrittenOnWindowsWithATrailByte5C) {
  // Paths from a Windows install are read as they are; "ソ" ends in 0x5C.
  Spit(ini(), "[Section]\r\n" + kKindKey + "=2\r\n" + kRepeatKey + "=3\r\n" + kFileKey + "=C:\\\x83\x5c\\a.mp3\r\n");
  EXPECT_EQ(qg::ReadProfileString(fs, cp, "Section", "BGMﾌｧｲﾙ", ini()), "C:\\ソ\\a.mp3");
  EXPECT_EQ(Load(), Values(0, 3, "", dir.path()));  // no such file here
  // A Linux file whose name holds ソ round-trips with its 5C byte intact.
  qgtest::TempDir sub;
  std::string song = sub.path() + "/ソ.wav";
  Spit(song, "RIFF");
  qg::SaveMusicSettings(fs, cp, {2, 0, song, ""});
  std::string bytes = qgtest::ReadFile(ini());
  EXPECT_NE(bytes.find("\x83\x5c.wav\r\n"), std::string::npos);
  EXPECT_EQ(Load(), Values(2, 0, song, sub.path()));
}

TEST_F(SettingsFile, ReadOnlyProgramFolderMovesTheFileToTheUsersConfigFolder) {
  qgtest::TempDir home;
  fs.home_ = home.path();
  EXPECT_EQ(qg::ChooseSettingsFilePath(fs), ini());
  fs.read_only_program_ = true;
  EXPECT_EQ(qg::ChooseSettingsFilePath(fs), home.path() + "/.config/quiverglide/Quiverglide.ini");
  fs.xdg_ = home.path() + "/xdg";
  std::string per_user = home.path() + "/xdg/quiverglide/Quiverglide.ini";
  EXPECT_EQ(qg::ChooseSettingsFilePath(fs), per_user);
  fs.xdg_ = "relative/xdg";  // not absolute: ignored
  EXPECT_EQ(qg::ChooseSettingsFilePath(fs), home.path() + "/.config/quiverglide/Quiverglide.ini");
  fs.xdg_ = home.path() + "/xdg";
  // The folder is made on the first save, and reads come from there.
  qg::SaveMusicSettings(fs, cp, {1, 5, "", ""});
  EXPECT_TRUE(qg::FileExists(fs, per_user));
  EXPECT_FALSE(qg::FileExists(fs, ini()));
  struct stat st;
  ASSERT_EQ(stat((home.path() + "/xdg/quiverglide").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(Load(), Values(1, 5, "", dir.path()));
  // The choice is made anew: once the folder is writable the file beside the program counts.
  fs.read_only_program_ = false;
  EXPECT_EQ(std::get<0>(Load()), 0);
}

// A save that cannot be made whole is refused and the file left as it was:
// one that cannot be read whole is never written over, and one the disk
// filled up under after a key is put back.
TEST_F(SettingsFile, ASaveThatCannotBeMadeWholeLeavesTheFileAsItWas) {
  const std::string before = "[Section]\r\n" + kKindKey + "=1\r\n", large(qg::kMaxSettingsFileBytes + 1, 'x');
  enum Kind { kNone, kFolder, kFifo, kText };
  const struct {
    Kind kind;
    std::string text;
    int replaces;  // writes that still succeed; -1: all
  } cases[] = {{kFolder, "", -1}, {kFifo, "", -1}, {kText, large, -1},
               {kText, before, 0}, {kText, before, 1}, {kNone, "", 2}};
  for (const auto& c : cases) {
    std::filesystem::remove_all(ini());
    if (c.kind == kFolder) { ASSERT_EQ(mkdir(ini().c_str(), 0700), 0); }
    if (c.kind == kFifo) { ASSERT_EQ(mkfifo(ini().c_str(), 0600), 0); }
    if (c.kind == kText) Spit(ini(), c.text);
    fs.replaces_left = c.replaces;
    EXPECT_FALSE(qg::SaveMusicSettings(fs, cp, {2, 7, "", ""})) << c.kind << " " << c.replaces;
    struct stat st;
    const mode_t type = lstat(ini().c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0;
    const mode_t want[] = {0, S_IFDIR, S_IFIFO, S_IFREG};
    EXPECT_EQ(type, want[c.kind]) << c.kind << " " << c.replaces;
    if (c.kind == kText) { EXPECT_EQ(qgtest::ReadFile(ini()), c.text) << c.replaces; }
  }
  fs.replaces_left = -1;
  EXPECT_TRUE(qg::SaveMusicSettings(fs, cp, {2, 7, "", ""}));
  EXPECT_EQ(Load(), Values(0, 7, "", dir.path()));
}

TEST(CodePage932, TheCharactersShiftJisMapsDifferentlyAndTextItCannotHold) {
  std::string b;
  ASSERT_TRUE(qg::Cp932().FromUtf8("～−", b));  // FULLWIDTH TILDE, MINUS SIGN
  EXPECT_EQ(b, "\x81\x60\x81\x7c");
  EXPECT_FALSE(qg::Cp932().FromUtf8("☃", b));
  std::string u;
  EXPECT_FALSE(qg::Cp932().ToUtf8("\xEF\xBB\xBF", u));  // the escape marker is no code page 932 text
}

}  // namespace
