#include "snapshot_path.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "process.h"

namespace {

class SnapshotPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    if (old) saved_ = old, had_ = true;
  }
  void TearDown() override {
    if (had_) setenv("XDG_RUNTIME_DIR", saved_.c_str(), 1);
    else unsetenv("XDG_RUNTIME_DIR");
  }
  qgtest::TempDir dir_;
  std::string saved_;
  bool had_ = false;
};

TEST_F(SnapshotPathTest, LivesInAPrivateFolderOfTheRuntimeDir) {
  setenv("XDG_RUNTIME_DIR", dir_.path().c_str(), 1);
  EXPECT_EQ(qg::SnapshotFilePath(), dir_.path() + "/kestrow/Wobblevista.bmp");
  ASSERT_TRUE(qg::EnsureSnapshotFolder());
  struct stat st;
  ASSERT_EQ(lstat((dir_.path() + "/kestrow").c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(SnapshotPathTest, OpenFolderIsTightenedAndALinkIsRefused) {
  setenv("XDG_RUNTIME_DIR", dir_.path().c_str(), 1);
  std::string folder = dir_.path() + "/kestrow";
  ASSERT_EQ(mkdir(folder.c_str(), 0777), 0);
  chmod(folder.c_str(), 0777);
  ASSERT_TRUE(qg::EnsureSnapshotFolder());
  struct stat st;
  ASSERT_EQ(stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  ASSERT_EQ(rmdir(folder.c_str()), 0);
  std::string elsewhere = dir_.path() + "/elsewhere";
  ASSERT_EQ(mkdir(elsewhere.c_str(), 0700), 0);
  ASSERT_EQ(symlink(elsewhere.c_str(), folder.c_str()), 0);
  EXPECT_FALSE(qg::EnsureSnapshotFolder());
}

TEST_F(SnapshotPathTest, SnapshotThatIsALinkOrAFifoCountsAsMissing) {
  std::string real = dir_.path() + "/real.bmp";
  int fd = open(real.c_str(), O_WRONLY | O_CREAT, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(write(fd, "BM", 2), 2);
  close(fd);
  int r = qg::OpenSnapshotForReading(real);
  EXPECT_GE(r, 0);
  if (r >= 0) close(r);

  std::string link = dir_.path() + "/link.bmp";
  ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
  EXPECT_EQ(qg::OpenSnapshotForReading(link), -1);

  std::string fifo = dir_.path() + "/fifo.bmp";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(qg::OpenSnapshotForReading(fifo), -1);  // and it did not hang
  EXPECT_EQ(qg::OpenSnapshotForReading(dir_.path() + "/none.bmp"), -1);
}

}  // namespace
