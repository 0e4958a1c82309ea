// The path helpers against real files, folders, FIFOs and links.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "path_helpers.h"
#include "process.h"

namespace {

void Touch(const std::string& path, const std::string& content = "") { std::ofstream(path) << content; }

TEST(FileExists, RegularReadableFilesOnly) {
  qgtest::TempDir dir;
  auto& fs = qg::DefaultFileSystem();
  std::string empty = dir.path() + "/empty.dll";
  Touch(empty);
  EXPECT_TRUE(qg::FileExists(fs, empty));  // length 0 counts
  EXPECT_FALSE(qg::FileExists(fs, dir.path() + "/missing.dll"));
  EXPECT_FALSE(qg::FileExists(fs, dir.path()));        // a folder
  EXPECT_FALSE(qg::FileExists(fs, dir.path() + "/"));  // trailing separator dropped, still a folder
  EXPECT_FALSE(qg::FileExists(fs, ""));
  EXPECT_TRUE(qg::FileExists(fs, empty + "/"));  // the trailing separator is dropped first
  std::string link = dir.path() + "/link.dll";
  ASSERT_EQ(symlink(empty.c_str(), link.c_str()), 0);
  EXPECT_TRUE(qg::FileExists(fs, link));
  std::string dangling = dir.path() + "/dangling.dll";
  ASSERT_EQ(symlink((dir.path() + "/nowhere").c_str(), dangling.c_str()), 0);
  EXPECT_FALSE(qg::FileExists(fs, dangling));
}

TEST(FolderOfPath, LinuxSplitsAtTheLastSlashOnly) {
  EXPECT_EQ(qg::FolderOfPathPosix("/music/a.mp3"), "/music");
  EXPECT_EQ(qg::FolderOfPathPosix("/music/sub/"), "/music/sub");
  EXPECT_EQ(qg::FolderOfPathPosix("/a.mp3"), "/");
  EXPECT_EQ(qg::FolderOfPathPosix("a.mp3"), "");
  EXPECT_EQ(qg::FolderOfPathPosix(""), "");
  EXPECT_EQ(qg::FolderOfPathPosix("/m/C:\\x\\a.mp3"), "/m");  // ":" and "\" are ordinary characters
  EXPECT_EQ(qg::FolderOfPathPosix("/ソ/テーマ.mp3"), "/ソ");
  EXPECT_EQ(qg::FolderOfPath("/music/a.mp3"), "/music");
}

TEST(FolderOfPath, WindowsRuleWithDrivesAndBackslashes) {
  EXPECT_EQ(qg::FolderOfPathWindows("C:\\music\\a.mp3"), "C:\\music");
  EXPECT_EQ(qg::FolderOfPathWindows("C:\\a.mp3"), "C:");
  EXPECT_EQ(qg::FolderOfPathWindows("C:a.mp3"), "C:");
  EXPECT_EQ(qg::FolderOfPathWindows("a.mp3"), "");
  EXPECT_EQ(qg::FolderOfPathWindows("C:\\music\\"), "C:\\music");
  EXPECT_EQ(qg::FolderOfPathWindows("C:\\ソ\\テーマ.mp3"), "C:\\ソ");
}

TEST(FolderOfPath, CodePage932TrailByte5CIsNoSeparator) {
  // "C:\ソ\テーマ.mp3" in code page 932: ソ is 83 5C.
  std::string path = "C:\\\x83\x5c\\\x83\x65\x81\x5b\x83\x7d.mp3";
  EXPECT_EQ(qg::FolderOfPathWindows(path, true), "C:\\\x83\x5c");
  // Byte by byte the 5C inside ソ would wrongly be taken for a separator.
  EXPECT_EQ(qg::FolderOfPathWindows("C:\\\x83\x5c", true), "C:");
  EXPECT_EQ(qg::FolderOfPathWindows("C:\\\x83\x5c", false), "C:\\\x83");
}

TEST(JoinPath, AddsOneSeparator) {
  EXPECT_EQ(qg::JoinPath("/opt/q", "Quiverglide.dll"), "/opt/q/Quiverglide.dll");
  EXPECT_EQ(qg::JoinPath("/", "Quiverglide.dll"), "/Quiverglide.dll");
  EXPECT_EQ(qg::JoinPath("", "x"), "x");
}

}  // namespace
