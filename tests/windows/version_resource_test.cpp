// Quiverglide.scr's resources, linked into this test program: the version
// fields other programs read (Explorer's properties, installers) and the icon.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string VersionString(const std::vector<char>& block, const char* name) {
  char* value = nullptr;
  UINT length = 0;
  const std::string query = std::string("\\StringFileInfo\\041104B0\\") + name;
  if (!VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
    return "<missing>";
  return std::string(value);
}

TEST(VersionResource, NamesTheScreensaverAndItsVersion) {
  char path[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  ASSERT_GT(size, 0u) << "no version information";
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));
  EXPECT_EQ(VersionString(block, "FileVersion"), "1.00");
  EXPECT_EQ(VersionString(block, "ProductVersion"), "1.00");
  EXPECT_EQ(VersionString(block, "ProductName"), "Quiverglide (ScreenSaver)");
  EXPECT_EQ(VersionString(block, "InternalName"), "Quiverglide");
  EXPECT_EQ(VersionString(block, "OriginalFilename"), "Quiverglide.scr");

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST(VersionResource, CarriesTheProgramIcon) {
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP colour{};
  ASSERT_TRUE(info.hbmColor != nullptr);
  GetObjectA(info.hbmColor, sizeof colour, &colour);
  EXPECT_GE(colour.bmWidth, 16);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
}

}  // namespace
