#include "bitmap_decoder.h"

#include <gtest/gtest.h>

#include <string>

#include "bmp_writer.h"

using namespace bmptest;

namespace {

DecodeResult Decode(const std::vector<uint8_t>& file) { return DecodeBitmap(file.data(), file.size()); }

// A picture and the file that holds it: for 1, 4 and 8 bits made of a table
// of distinct colours and indices into it.
struct Sample {
  Picture picture;
  std::vector<uint8_t> palette, indices;
  std::vector<uint8_t> File(const Options& o) const { return Encode(picture, o, palette, indices); }
};

Sample MakeSample(int width, int height, int bits) {
  if (bits > 8) return Sample{Gradient(width, height), {}, {}};
  Sample s{Picture{width, height, {}}, {}, {}};
  const int colours = 1 << bits;
  for (int i = 0; i < colours; ++i) s.palette.insert(s.palette.end(), {uint8_t(i * 37 + 1), uint8_t(255 - i), uint8_t(i * 11 + 5)});
  for (int i = 0; i < width * height; ++i) {
    const uint8_t index = uint8_t((i * 7 + i / width) % colours);
    s.indices.push_back(index);
    s.picture.rgb.insert(s.picture.rgb.end(), &s.palette[index * 3], &s.palette[index * 3] + 3);
  }
  return s;
}

}  // namespace

// Every form at widths whose rows need padding, and one a snapshot has.
TEST(BitmapDecoder, EveryFormGivesItsPictureBottomRowFirst) {
  const struct {
    const char* what;
    Options o;  // bits, file header, core header, top-down, table entries, gap before the pixels, 5-6-5 masks
  } forms[] = {
      {"1 bit", {1}},
      {"4 bits", {4}},
      {"8 bits", {8}},
      {"16 bits", {16}},
      {"16 bits with 5-6-5 masks", {16, true, false, false, 0, 0, true}},
      {"24 bits", {24}},
      {"32 bits", {32}},
      {"core header, 8 bits", {8, true, true}},
      {"core header, 24 bits", {24, true, true}},
      {"core header alone", {24, false, true}},
      {"information header alone, 24 bits with a table it does not use", {24, false, false, false, 5}},
      {"information header alone, 8 bits", {8, false}},
      {"top-down", {32, true, false, true}},
      {"pixels past a gap after the table", {4, true, false, false, 0, 40}},
  };
  for (const auto& [what, options] : forms)
    for (int width : {1, 2, 3, 5, 13, 1023}) {
      SCOPED_TRACE(std::string(what) + ", width " + std::to_string(width));
      const Sample s = MakeSample(width, 3, options.bits);
      const DecodeResult r = Decode(s.File(options));
      ASSERT_EQ(r.status, DecodeStatus::Ok);
      EXPECT_EQ(r.image.width, width);
      EXPECT_EQ(r.image.height, 3);
      ASSERT_EQ(r.image.pixels.size(), s.picture.rgb.size());
      const int tolerance = options.bits == 16 ? 7 : 0;  // to the channels' precision
      for (size_t i = 0; i < r.image.pixels.size(); ++i)
        ASSERT_NEAR(r.image.pixels[i], s.picture.rgb[i], tolerance) << "byte " << i;
    }
  // At 16 bits full scale stays full scale and zero stays zero.
  Picture ends{2, 1, {255, 255, 255, 0, 0, 0}};
  EXPECT_EQ(Decode(Encode(ends, Options{16})).image.pixels, ends.rgb);
}

TEST(BitmapDecoder, IndexPastAShortTableIsBlackAndTheLastRowNeedsNoPadding) {
  Sample s = MakeSample(4, 1, 8);
  s.indices = {0, 1, 2, 200};
  const DecodeResult r = Decode(s.File(Options{8, true, false, false, 3}));
  ASSERT_EQ(r.status, DecodeStatus::Ok);
  std::vector<uint8_t> want(s.palette.begin(), s.palette.begin() + 9);
  want.insert(want.end(), {0, 0, 0});
  EXPECT_EQ(r.image.pixels, want);

  const Picture pic = Gradient(5, 3);
  std::vector<uint8_t> file = Encode(pic, Options{24});
  file.resize(file.size() - 1);  // 5 * 3 = 15 bytes per row, padded to 16
  EXPECT_EQ(Decode(file).image.pixels, pic.rgb);
}

TEST(BitmapDecoder, LaterHeaderFormsAreUnknownAndLyingHeadersRefused) {
  const std::vector<uint8_t> good = Encode(Gradient(8, 8), Options{24});
  for (uint32_t size : {108u, 124u, 64u, 16u}) {
    std::vector<uint8_t> f = good;
    PutU32(f, 14, size);
    EXPECT_EQ(Decode(f).status, DecodeStatus::UnknownFormat) << size;
  }

  const std::vector<uint8_t> good8 = MakeSample(8, 8, 8).File(Options{8});
  std::vector<std::pair<const char*, std::vector<uint8_t>>> cases;
  auto with = [&](const char* what, std::vector<uint8_t> f, size_t at, uint32_t v, int bytes = 4) {
    if (bytes == 2) PutU16(f, at, uint16_t(v));
    else PutU32(f, at, v);
    cases.push_back({what, f});
  };
  with("huge width", good, 18, 0x7FFFFFFF);
  with("huge height", good, 22, 0x7FFFFFFF);
  with("most negative height", good, 22, 0x80000000);
  with("negative width", good, 18, uint32_t(-8));
  with("zero width", good, 18, 0);
  with("zero height", good, 22, 0);
  with("width times height overflows 32 bits", good, 18, 65536);
  with("pixel offset past the end", good, 10, 0xFFFFFFF0);
  with("pixel offset near the end", good, 10, uint32_t(good.size() - 10));
  with("colour table that does not fit", good8, 46, 0xFFFF);
  // The pixels still fit: only the table's own bound refuses this one.
  with("colour table a little past the end", good8, 46, 300);
  with("run-length compression", good8, 30, 1);
  with("bit fields on 24 bits", good, 30, 3);
  with("unknown compression", good, 30, 0x12345678);
  with("7 bits per pixel", good, 28, 7, 2);
  with("0 bits per pixel", good, 28, 0, 2);
  std::vector<uint8_t> masks = good;
  PutU32(masks, 30, 3);
  PutU16(masks, 28, 32);
  masks.resize(60);
  cases.push_back({"bit fields whose masks lie past the end", masks});
  const std::vector<uint8_t> good565 = Encode(Gradient(8, 8), Options{16, true, false, false, 0, 0, true});
  with("empty mask", good565, 54, 0);
  with("mask with holes", good565, 54, 0xF0F0);
  cases.push_back({"rows past the end", {good.begin(), good.end() - 30}});
  cases.push_back({"last row short", {good.begin(), good.end() - 1}});
  cases.push_back({"truncated information header", {good.begin(), good.begin() + 30}});
  cases.push_back({"file header only", {good.begin(), good.begin() + 14}});
  cases.push_back({"signature only", {'B', 'M'}});
  cases.push_back({"two bytes", {1, 2}});
  for (const auto& [what, file] : cases) {
    const DecodeResult r = Decode(file);
    EXPECT_EQ(r.status, DecodeStatus::ConversionError) << what;
    EXPECT_TRUE(r.image.pixels.empty()) << what;
  }
  EXPECT_EQ(DecodeBitmap(nullptr, 0).status, DecodeStatus::ConversionError);
}
