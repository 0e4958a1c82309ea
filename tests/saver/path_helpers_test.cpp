// The path helpers against real files, folders and links, and both platforms'
// rules for a path's folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <utility>

#include "path_helpers.h"
#include "process.h"

namespace {

TEST(FileExists, RegularReadableFilesOnly) {
  qgtest::TempDir dir;
  auto& fs = qg::DefaultFileSystem();
  const std::string empty = dir.path() + "/empty.dll";
  std::ofstream{empty};
  const std::string link = dir.path() + "/link.dll", dangling = dir.path() + "/dangling.dll";
  ASSERT_EQ(symlink(empty.c_str(), link.c_str()), 0);
  ASSERT_EQ(symlink((dir.path() + "/nowhere").c_str(), dangling.c_str()), 0);
  EXPECT_TRUE(qg::FileExists(fs, empty));        // length 0 counts
  EXPECT_TRUE(qg::FileExists(fs, empty + "/"));  // the trailing separator is dropped first
  EXPECT_TRUE(qg::FileExists(fs, link));
  for (const std::string& no : {dir.path() + "/missing.dll", dir.path(), dir.path() + "/", std::string(), dangling})
    EXPECT_FALSE(qg::FileExists(fs, no)) << no;
}

TEST(FolderOfPath, EachPlatformsRule) {
  for (auto [path, folder] : {std::pair{"/music/a.mp3", "/music"}, {"/music/sub/", "/music/sub"}, {"/a.mp3", "/"},
                              {"a.mp3", ""}, {"", ""}, {"/m/C:\\x\\a.mp3", "/m"},  // ":" and "\" are ordinary
                              {"/ソ/テーマ.mp3", "/ソ"}})
    EXPECT_EQ(qg::FolderOfPathPosix(path), folder) << path;
  EXPECT_EQ(qg::FolderOfPath("/music/a.mp3"), "/music");
  for (auto [path, folder] : {std::pair{"C:\\music\\a.mp3", "C:\\music"}, {"C:\\a.mp3", "C:"}, {"C:a.mp3", "C:"},
                              {"a.mp3", ""}, {"C:\\music\\", "C:\\music"}, {"C:\\ソ\\テーマ.mp3", "C:\\ソ"}})
    EXPECT_EQ(qg::FolderOfPathWindows(path), folder) << path;
}

TEST(FolderOfPath, CodePage932TrailByte5CIsNoSeparator) {
  // "C:\ソ\テーマ.mp3" in code page 932: ソ is 83 5C.
  std::string path = "C:\\\x83\x5c\\\x83\x65\x81\x5b\x83\x7d.mp3";
  EXPECT_EQ(qg::FolderOfPathWindows(path, true), "C:\\\x83\x5c");
  // Byte by byte the 5C inside ソ would wrongly be taken for a separator.
  EXPECT_EQ(qg::FolderOfPathWindows("C:\\\x83\x5c", true), "C:");
  EXPECT_EQ(qg::FolderOfPathWindows("C:\\\x83\x5c", false), "C:\\\x83");
}

}  // namespace
