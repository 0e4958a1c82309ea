// The snapshot's private folder and file, on a real file system.
#include "snapshot_path.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "process.h"

namespace {

int FolderMode(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? int(st.st_mode & 0777) : -1;
}

TEST(SnapshotPathTest, APrivateFolderOfTheRuntimeDirMade0700AgainAndRefusedAsALink) {
  qgtest::TempDir dir;
  setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
  const std::string folder = dir.path() + "/kestrow";
  EXPECT_EQ(qg::SnapshotFilePath(), folder + "/Wobblevista.bmp");
  ASSERT_TRUE(qg::EnsureSnapshotFolder());
  EXPECT_EQ(FolderMode(folder), 0700);
  for (mode_t loose : {0777, 0500}) {  // open to others; closed to its owner, an old snapshot stuck in it
    chmod(folder.c_str(), loose);
    ASSERT_TRUE(qg::EnsureSnapshotFolder());
    EXPECT_EQ(FolderMode(folder), 0700);
  }

  ASSERT_EQ(rmdir(folder.c_str()), 0);
  ASSERT_EQ(mkdir((dir.path() + "/elsewhere").c_str(), 0700), 0);
  ASSERT_EQ(symlink((dir.path() + "/elsewhere").c_str(), folder.c_str()), 0);
  EXPECT_FALSE(qg::EnsureSnapshotFolder());
}

TEST(SnapshotPathTest, SnapshotThatIsALinkOrAFifoCountsAsMissing) {
  qgtest::TempDir dir;
  const std::string real = dir.path() + "/real.bmp";
  std::ofstream(real) << "BM";
  const int r = qg::OpenSnapshotForReading(real);
  EXPECT_GE(r, 0);
  if (r >= 0) close(r);
  const std::string link = dir.path() + "/link.bmp", fifo = dir.path() + "/fifo.bmp";
  ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(qg::OpenSnapshotForReading(link), -1);
  EXPECT_EQ(qg::OpenSnapshotForReading(fifo), -1);  // and it did not hang
  EXPECT_EQ(qg::OpenSnapshotForReading(dir.path() + "/none.bmp"), -1);
}

}  // namespace
