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

TEST(FileExists, AFifoAnswersAtOnceWithoutBlocking) {
  qgtest::TempDir dir;
  std::string fifo = dir.path() + "/Quiverglide.dll";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  // Opening a FIFO for reading would wait for a writer forever.
  EXPECT_FALSE(qg::FileExists(qg::DefaultFileSystem(), fifo));
  std::string text;
  EXPECT_EQ(qg::DefaultFileSystem().ReadFile(fifo, 100, text), qg::ReadStatus::Failed);
}

TEST(FileExists, UnreadableFileIsFalse) {
  qgtest::TempDir dir;
  chmod(dir.path().c_str(), 0755);
  std::string secret = dir.path() + "/secret.mp3", open_file = dir.path() + "/open.mp3";
  Touch(secret, "x");
  Touch(open_file, "x");
  chmod(secret.c_str(), 0);
  chmod(open_file.c_str(), 0644);
  auto check = [&] {
    auto& fs = qg::DefaultFileSystem();
    return !qg::FileExists(fs, secret) && qg::FileExists(fs, open_file);
  };
  if (geteuid() != 0) {
    EXPECT_TRUE(check());
    return;
  }
  // Root reads every file: look as an ordinary user, in a child process.
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
    _exit(check() ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "2: could not become an ordinary user";
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
