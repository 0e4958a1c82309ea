// The settings file on Windows: the portable profile layer over the Win32
// file system and code page 932, checked byte for byte and against the
// system's own profile functions (GetPrivateProfileStringA and
// WritePrivateProfileStringA) under code page 932.
#include <windows.h>
// windows.h names these as macros; the settings file has functions and
// methods by the same names.
#undef WriteProfileString
#undef ReplaceFile

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "settings/code_page.h"
#include "settings/settings_file.h"
#include "settings_bytes.h"
#include "test_file_system.h"
#include "wide_text.h"
#include "win_test.h"

namespace {

using qg::win32::WideToUtf8;

// A value as the system's profile functions read it.
std::string ProfileA(const std::string& key, const std::string& path) {
  char value[2048] = {};
  GetPrivateProfileStringA("Section", key.c_str(), "<none>", value, sizeof value, path.c_str());
  return value;
}

class SettingsWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    folderW_ = (std::filesystem::temp_directory_path() / ("qg-settings-" + std::to_string(GetCurrentProcessId())))
                   .wstring();
    ASSERT_TRUE(CreateDirectoryW(folderW_.c_str(), nullptr));
    folder_ = WideToUtf8(folderW_);
    iniPath_ = folder_ + "\\Quiverglide.ini";
    japanese_ = wintest::RunHas("QG_WINE_JA");
    // Under code page 1252 the profile functions pass the same bytes through
    // and would hide a wrong conversion; the run must really be in 932.
    if (japanese_) ASSERT_EQ(GetACP(), 932u) << "the ja_JP.UTF-8 locale is not in effect";
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folderW_, ignored);
  }

  std::wstring folderW_;
  std::string folder_, iniPath_;
  bool japanese_ = false;
};

TEST_F(SettingsWin32Test, FileWrittenByTheProfileFunctionsLoadsWithAJapanesePath) {
  if (!japanese_) GTEST_SKIP() << "the system's own writing needs code page 932";
  // ソ and 表 end in 0x5C, the path separator's byte.
  const std::wstring musicW = folderW_ + L"\\\u30bd\u8868.mp3";
  ASSERT_TRUE(std::ofstream(std::filesystem::path(musicW)));
  std::string musicBytes;
  ASSERT_TRUE(qg::Cp932().FromUtf8(WideToUtf8(musicW), musicBytes));
  ASSERT_TRUE(WritePrivateProfileStringA("Section", qgtest::kKindKey.c_str(), "2", iniPath_.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Section", qgtest::kRepeatKey.c_str(), "3", iniPath_.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Section", qgtest::kFileKey.c_str(), musicBytes.c_str(), iniPath_.c_str()));

  qgtest::TestFileSystem fs(folder_);
  qg::MusicSettingsValues v;
  qg::LoadMusicSettings(fs, qg::Cp932(), v);
  EXPECT_EQ(v.kind, 2);
  EXPECT_EQ(v.repeat, 3);
  EXPECT_EQ(v.file, WideToUtf8(musicW));

  // Our write of the same path gives the bytes the system wrote and reads.
  v.repeat = 4;
  qg::SaveMusicSettings(fs, qg::Cp932(), v);
  EXPECT_EQ(ProfileA(qgtest::kRepeatKey, iniPath_), "4");
  EXPECT_EQ(ProfileA(qgtest::kFileKey, iniPath_), musicBytes);
}

TEST_F(SettingsWin32Test, LongValuesAndCharactersOrAFolderOutsideTheCodePageComeBackWhole) {
  qgtest::TestFileSystem fs(folder_);
  // Longer than the profile functions' usual 256-byte buffer.
  std::string longName = folder_ + "\\";
  while (longName.size() < 700) longName += "\xe6\x9b\xb2";  // 曲
  longName += ".mp3";
  ASSERT_TRUE(qg::WriteProfileString(fs, qg::Cp932(), "Section", "BGMﾌｧｲﾙ", longName, iniPath_));
  EXPECT_EQ(qg::ReadProfileString(fs, qg::Cp932(), "Section", "BGMﾌｧｲﾙ", iniPath_), longName);
  if (japanese_) {
    std::string bytes;
    ASSERT_TRUE(qg::Cp932().FromUtf8(longName, bytes));
    EXPECT_EQ(ProfileA(qgtest::kFileKey, iniPath_), bytes) << "the file holds the plain code page bytes";
  }

  // é and a line break have no plain form; the value still round-trips.
  const std::string odd = "  caf\xc3\xa9\r\nnext \"quoted\"  ";
  ASSERT_TRUE(qg::WriteProfileString(fs, qg::Cp932(), "Section", "BGMﾌｧｲﾙ", odd, iniPath_));
  EXPECT_EQ(qg::ReadProfileString(fs, qg::Cp932(), "Section", "BGMﾌｧｲﾙ", iniPath_), odd);
  EXPECT_EQ(qg::ReadProfileString(fs, qg::Cp932(), "Section", "BGMﾘﾋﾟｰﾄ", iniPath_), "");
  EXPECT_FALSE(qg::WriteProfileString(fs, qg::Cp932(), "Section", "a=b", "v", iniPath_));
  EXPECT_FALSE(qg::WriteProfileString(fs, qg::Cp932(), "Sec]tion", "k", "v", iniPath_));

  // A folder whose name is outside the system's code page: Ω is in code page
  // 932 but not 1252, é the other way round, so one of them is outside
  // whichever code page the run has.
  const std::wstring subW = folderW_ + L"\\\u00e9\u03a9";
  ASSERT_TRUE(CreateDirectoryW(subW.c_str(), nullptr));
  qgtest::TestFileSystem sub(WideToUtf8(subW));
  EXPECT_TRUE(qg::SaveMusicSettings(sub, qg::Cp932(), {1, 5, "", ""}));
  qg::MusicSettingsValues back;
  qg::LoadMusicSettings(sub, qg::Cp932(), back);
  EXPECT_EQ(back.kind, 1);
  EXPECT_EQ(back.repeat, 5);
}

}  // namespace
