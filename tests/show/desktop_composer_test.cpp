// Output buffers put together into the desktop, against pictures drawn by hand:
// every layout, rows bottom first, the transforms, scale 2, two outputs (the
// last transform, flipped-270 at scale 2, against sway's in wayland_capture_test).
#include <gtest/gtest.h>

#include <map>

#include "desktop_composer.h"

namespace {

using qg::show::OutputBuffer;

constexpr uint32_t Code(const char (&c)[5]) { return c[0] | c[1] << 8 | c[2] << 16 | uint32_t(c[3]) << 24; }

// A pixel layout: channel width and the shifts of red, green and blue in the
// little-endian word; the other bits (alpha, padding) are all set.
struct Layout {
  uint32_t code;
  int bits, shift[3];
};
const Layout kXrgb{1, 8, {16, 8, 0}};

const std::map<char, std::vector<int>> kColours = {
    {'A', {0xF0, 0x10, 0x20}}, {'B', {0x10, 0xE0, 0x30}}, {'C', {0x20, 0x30, 0xD0}}, {'D', {0xC0, 0xB0, 0x01}},
    {'E', {0x02, 0xA0, 0x90}}, {'F', {0x80, 0x03, 0x70}}, {'.', {0, 0, 0}}};

// The rows of letters as a buffer of that layout, a letter scale x scale pixels.
OutputBuffer Buffer(const std::vector<std::string>& rows, Layout l, int scale = 1, bool bottomFirst = false) {
  OutputBuffer b;
  b.width = int(rows[0].size()) * scale, b.height = int(rows.size()) * scale, b.stride = b.width * 4 + 8;
  b.pixels.reset(new uint8_t[b.stride * b.height], std::default_delete<uint8_t[]>());
  b.format = *qg::show::BufferFormatOfCode(l.code);
  b.yInverted = bottomFirst;
  const uint32_t m = (1u << l.bits) - 1, others = ~(m << l.shift[0] | m << l.shift[1] | m << l.shift[2]);
  for (int y = 0; y < b.height; ++y)
    for (int x = 0; x < b.width; ++x) {
      const std::vector<int>& c = kColours.at(rows[y / scale][x / scale]);
      uint32_t word = others;
      for (int i = 0; i < 3; ++i) word |= uint32_t(l.bits == 8 ? c[i] : c[i] << 2 | c[i] >> 6) << l.shift[i];
      uint8_t* p = b.pixels.get() + (bottomFirst ? b.height - 1 - y : y) * b.stride + x * 4;
      for (int i = 0; i < 4; ++i) p[i] = uint8_t(word >> (8 * i));
    }
  return b;
}

// The picture as letters; '?' for a colour of none.
std::vector<std::string> Letters(const qg::show::DesktopPicture& pic) {
  std::vector<std::string> rows(pic.height, std::string(pic.width, '?'));
  for (int y = 0; y < pic.height; ++y)
    for (int x = 0; x < pic.width; ++x)
      for (const auto& [letter, c] : kColours)
        if (c == std::vector<int>{pic.Row(y)[x * 4 + 2], pic.Row(y)[x * 4 + 1], pic.Row(y)[x * 4]}) rows[y][x] = letter;
  return rows;
}

TEST(DesktopComposer, EveryLayoutTurnAndScaleLandsAsTheCompositorShowsIt) {
  struct Case {
    Layout layout;
    bool bottomFirst;
    int transform, scale;
    std::vector<std::string> want;
  };
  const Case cases[] = {
      {{0, 8, {16, 8, 0}}, false, 0, 1, {"ABC", "DEF"}},  // ARGB8888
      {kXrgb, true, 0, 1, {"ABC", "DEF"}},
      {{Code("XB24"), 8, {0, 8, 16}}, false, 1, 1, {"DA", "EB", "FC"}},
      {{Code("AB24"), 8, {0, 8, 16}}, false, 2, 1, {"FED", "CBA"}},
      {{Code("XR30"), 10, {20, 10, 0}}, false, 3, 1, {"CF", "BE", "AD"}},
      {{Code("XB30"), 10, {0, 10, 20}}, false, 4, 1, {"CBA", "FED"}},
      {kXrgb, false, 5, 1, {"AD", "BE", "CF"}},
      {kXrgb, false, 6, 1, {"DEF", "ABC"}},
      {{Code("XB30"), 10, {0, 10, 20}}, true, 1, 2, {"DA", "EB", "FC"}},
  };
  for (const Case& c : cases) {
    OutputBuffer b = Buffer({"ABC", "DEF"}, c.layout, c.scale, c.bottomFirst);
    b.transform = c.transform;
    b.place = {-7, 5, int(c.want[0].size()), int(c.want.size())};
    EXPECT_EQ(Letters(qg::show::ComposeDesktop({b})), c.want) << c.layout.code << " turned " << c.transform;
  }
  // Two outputs side by side, the right one turned; black where neither is.
  OutputBuffer left = Buffer({"ABC", "DEF"}, kXrgb), right = left;
  left.place = {0, 0, 3, 2};
  right.transform = 1;
  right.place = {3, 0, 2, 3};
  const std::vector<std::string> both = {"ABCDA", "DEFEB", "...FC"};
  EXPECT_EQ(Letters(qg::show::ComposeDesktop({left, right})), both);
  // The portal's picture of both at twice the size, cut back onto them.
  const OutputBuffer whole = Buffer(both, kXrgb, 2);
  EXPECT_EQ(Letters(qg::show::ComposeDesktop(qg::show::CutForOutputs(whole, {left.place, right.place}))), both);
  EXPECT_FALSE(qg::show::BufferFormatOfCode(Code("RG16")));
}

}  // namespace
