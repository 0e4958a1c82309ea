// The artwork in assets/ is exactly what the generator draws, and has the
// sizes and key colours the button and the dialog rely on.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "process.h"

namespace {

std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(f), {});
}

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}

// The pixel of a bottom-up 24-bit bitmap as 0xRRGGBB.
std::uint32_t Pixel(const std::vector<std::uint8_t>& b, int x, int y) {
  const int w = int(Le32(b, 18)), h = int(Le32(b, 22));
  const std::size_t stride = (w * 3 + 3) & ~3;
  const std::size_t at = Le32(b, 10) + stride * (h - 1 - y) + x * 3;
  return (b[at + 2] << 16) | (b[at + 1] << 8) | b[at];
}

const char* const kFiles[] = {"command_normal.bmp",   "command_highlight.bmp", "command_highlightselect.bmp",
                              "command_selected.bmp", "command_pressed.bmp",   "command_disable.bmp",
                              "texture.bmp",          "mark_empty.bmp",        "mark_filled.bmp",
                              "hand.cur",             "quiverglide.ico"};

TEST(Assets, GeneratorReproducesTheCommittedFiles) {
  qgtest::TempDir out;
  qgtest::ProcessOptions o;
  o.argv = {MAKE_ASSETS_PROGRAM, out.path()};
  qgtest::Process p(o);
  ASSERT_EQ(p.Wait(std::chrono::seconds(20)), 0);
  for (const char* name : kFiles) {
    auto committed = ReadAll(std::string(ASSETS_DIR) + "/" + name);
    auto fresh = ReadAll(out.path() + "/" + name);
    EXPECT_FALSE(committed.empty()) << name;
    EXPECT_EQ(committed, fresh) << name;
  }
}

TEST(Assets, SizesAndKeyColours) {
  struct Want {
    const char* name;
    int w, h;
  } wants[] = {{"command_normal.bmp", 64, 25}, {"command_pressed.bmp", 64, 25}, {"command_disable.bmp", 64, 25},
               {"texture.bmp", 556, 20},       {"mark_empty.bmp", 12, 12},     {"mark_filled.bmp", 12, 12}};
  for (const Want& w : wants) {
    auto b = ReadAll(std::string(ASSETS_DIR) + "/" + w.name);
    ASSERT_GE(b.size(), 54u) << w.name;
    EXPECT_EQ(Le32(b, 18), std::uint32_t(w.w)) << w.name;
    EXPECT_EQ(Le32(b, 22), std::uint32_t(w.h)) << w.name;
    EXPECT_EQ(b[28], 24) << w.name;
  }
  auto normal = ReadAll(std::string(ASSETS_DIR) + "/command_normal.bmp");
  EXPECT_EQ(Pixel(normal, 30, 1), 0x003C74u);   // frame, top
  EXPECT_EQ(Pixel(normal, 30, 23), 0x003C74u);  // frame, bottom
  EXPECT_EQ(Pixel(normal, 1, 12), 0x003C74u);   // frame, left
  EXPECT_EQ(Pixel(normal, 62, 12), 0x003C74u);  // frame, right
  EXPECT_EQ(Pixel(normal, 30, 0), 0xE0DCC9u);
  EXPECT_EQ(Pixel(normal, 2, 1), 0x7A95A8u);    // the rounded corner
  EXPECT_EQ(Pixel(normal, 2, 4), 0xFDFDFCu);    // left band starts
  EXPECT_EQ(Pixel(normal, 2, 20), 0xECEBE6u);   // and ends
  auto pressed = ReadAll(std::string(ASSETS_DIR) + "/command_pressed.bmp");
  EXPECT_EQ(Pixel(pressed, 30, 2), 0x003C74u);
  EXPECT_EQ(Pixel(pressed, 30, 3), 0xD1CCC1u);
  auto highlight = ReadAll(std::string(ASSETS_DIR) + "/command_highlight.bmp");
  EXPECT_EQ(Pixel(highlight, 30, 21), 0xF8B330u);
  auto texture = ReadAll(std::string(ASSETS_DIR) + "/texture.bmp");
  int left = 0, right = 0;
  for (int y = 0; y < 20; ++y) {
    left += (Pixel(texture, 0, y) >> 16) & 255;
    right += (Pixel(texture, 555, y) >> 16) & 255;
    for (int x = 0; x < 556; x += 37)
      for (int shift : {0, 8, 16}) {
        const int v = (Pixel(texture, x, y) >> shift) & 255;
        EXPECT_GE(v, 160);
        EXPECT_LE(v, 224);
      }
  }
  EXPECT_NEAR(left / 20.0, 219, 6);
  EXPECT_NEAR(right / 20.0, 179, 6);
  // The cursor's hot spot is stored in its directory entry.
  auto cur = ReadAll(std::string(ASSETS_DIR) + "/hand.cur");
  ASSERT_GE(cur.size(), 22u);
  EXPECT_EQ(cur[2], 2);
  EXPECT_EQ(cur[10] | (cur[11] << 8), 12);
  EXPECT_EQ(cur[12] | (cur[13] << 8), 10);
}

}  // namespace
