// The renderer's Win32 services on their own, under Wine: the snapshot
// location, the loader's file mapping and the clock.
#include <windows.h>

#include <gtest/gtest.h>

#include <io.h>

#include <string>

#include "snapshot_path.h"
#include "win32_loader_platform.h"
#include "win32_time_source.h"
#include "win_process.h"

namespace {

std::string TempFolder() {
  char buffer[MAX_PATH] = {};
  GetTempPathA(sizeof buffer, buffer);
  std::string folder = std::string(buffer) + "qg-win32-parts-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

TEST(SnapshotPathWin32, TheFixedFolderIsMadeAndOnlyARealFileOpens) {
  EXPECT_EQ(qg::SnapshotFolder(), "C:\\kestrow");
  EXPECT_EQ(qg::SnapshotFilePath(), "c:\\kestrow\\Wobblevista.bmp");
  ASSERT_TRUE(qg::EnsureSnapshotFolder());
  EXPECT_TRUE(qg::EnsureSnapshotFolder()) << "an existing folder is fine";
  const DWORD attributes = GetFileAttributesA("C:\\kestrow");
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);

  const std::string folder = TempFolder();
  const std::string file = folder + "\\snap.bmp";
  ASSERT_TRUE(wintest::WriteFileBytes(file, "BM\x01\x02"));
  const int fd = qg::OpenSnapshotForReading(file);
  ASSERT_GE(fd, 0);
  char got[4] = {};
  EXPECT_EQ(_read(fd, got, 4), 4);
  EXPECT_EQ(std::string(got, 4), std::string("BM\x01\x02", 4));
  _close(fd);
  EXPECT_EQ(qg::OpenSnapshotForReading(folder), -1) << "a folder is no snapshot";
  EXPECT_EQ(qg::OpenSnapshotForReading(folder + "\\none.bmp"), -1);
  DeleteFileA(file.c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST(SnapshotPathWin32, AFileInPlaceOfTheFolderIsRefused) {
  // The folder is probed through a junction-free plain check; a file by the
  // folder's name must not count as the folder.
  const std::string folder = TempFolder();
  const std::string fake = folder + "\\notafolder";
  ASSERT_TRUE(wintest::WriteFileBytes(fake, "x"));
  EXPECT_FALSE(CreateDirectoryA(fake.c_str(), nullptr));
  EXPECT_EQ(qg::OpenSnapshotForReading(fake + "\\Wobblevista.bmp"), -1);
  DeleteFileA(fake.c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST(LoaderPlatformWin32, MapsTheWholeFileAndRefusesEmptyOrMissingOnes) {
  Win32LoaderPlatform loader;
  const std::string folder = TempFolder();
  const std::string file = folder + "\\whole.bin";
  std::string bytes(70000, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + 3);
  ASSERT_TRUE(wintest::WriteFileBytes(file, bytes));
  EXPECT_TRUE(loader.CanOpenForReading(file));
  {
    auto mapped = loader.MapWholeFile(file);
    ASSERT_NE(mapped, nullptr);
    ASSERT_EQ(mapped->size, bytes.size());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(mapped->data), mapped->size), bytes);
  }
  EXPECT_TRUE(DeleteFileA(file.c_str())) << "the mapping and the file were released";

  const std::string empty = folder + "\\empty.bin";
  ASSERT_TRUE(wintest::WriteFileBytes(empty, ""));
  EXPECT_TRUE(loader.CanOpenForReading(empty));
  EXPECT_EQ(loader.MapWholeFile(empty), nullptr);
  DeleteFileA(empty.c_str());

  EXPECT_FALSE(loader.CanOpenForReading(folder + "\\missing.bin"));
  EXPECT_EQ(loader.MapWholeFile(folder + "\\missing.bin"), nullptr);
  RemoveDirectoryA(folder.c_str());
}

TEST(TimeSourceWin32, CounterAndMillisecondClockBothAdvance) {
  Win32TimeSource clock;
  int64_t frequency = 0;
  ASSERT_TRUE(clock.QueryFrequency(&frequency));
  EXPECT_GT(frequency, 1000);
  const int64_t count0 = clock.ReadCounter();
  const uint32_t ms0 = clock.ReadMilliseconds();
  Sleep(60);
  const int64_t count1 = clock.ReadCounter();
  const uint32_t ms1 = clock.ReadMilliseconds();
  const double seconds = double(count1 - count0) / double(frequency);
  EXPECT_GT(seconds, 0.03);
  EXPECT_LT(seconds, 5.0);
  EXPECT_GE(ms1 - ms0, 30u);
  EXPECT_LT(ms1 - ms0, 5000u);

  // The frame timer over this clock yields the same kind of seconds.
  SetTimeSource(&clock);
  FrameTimer timer;
  timer.Start();
  EXPECT_TRUE(timer.UsesHighResolution());
  Sleep(40);
  timer.Tick();
  EXPECT_GT(timer.Elapsed(), 0.02f);
  EXPECT_LT(timer.Elapsed(), 5.0f);
  EXPECT_FLOAT_EQ(timer.Delta(), timer.Elapsed());
  SetTimeSource(nullptr);
}

}  // namespace
