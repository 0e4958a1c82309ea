// Writes a small seed corpus for the bitmap fuzzer: one tiny file of every
// form the decoder reads.
#include <cstdio>
#include <string>

#include "bmp_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  const bmptest::Picture pic = bmptest::Gradient(5, 3);
  std::vector<uint8_t> palette, indices;
  for (int i = 0; i < 256; ++i) palette.insert(palette.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i * 3)});
  for (int i = 0; i < 15; ++i) indices.push_back(uint8_t(i & 1));
  struct Seed {
    const char* name;
    bmptest::Options o;
  };
  std::vector<Seed> seeds;
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    bmptest::Options o;
    o.bits = bits;
    seeds.push_back({nullptr, o});
  }
  bmptest::Options o;
  o.core = true;
  o.bits = 8;
  seeds.push_back({"core8", o});
  o = {};
  o.fileHeader = false;
  seeds.push_back({"bare24", o});
  o = {};
  o.topDown = true;
  o.bits = 32;
  seeds.push_back({"topdown32", o});
  o = {};
  o.bits = 16;
  o.bitFields565 = true;
  seeds.push_back({"masks565", o});
  o = {};
  o.bits = 4;
  o.clrUsed = 3;
  o.gapBeforePixels = 8;
  seeds.push_back({"short_table_gap", o});
  for (const Seed& s : seeds) {
    const std::string name = s.name ? s.name : "bits" + std::to_string(s.o.bits);
    const std::vector<uint8_t> bytes = bmptest::Encode(pic, s.o, palette, indices);
    std::FILE* f = std::fopen((dir + "/" + name + ".bmp").c_str(), "wb");
    if (!f) return 1;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  return 0;
}
