// Writes a small seed corpus for the bitmap fuzzer: one tiny file of every
// form the decoder reads.
#include <cstdio>
#include <fstream>
#include <string>

#include "bmp_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  std::vector<uint8_t> palette, indices;
  for (int i = 0; i < 256; ++i) palette.insert(palette.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i * 3)});
  for (int i = 0; i < 15; ++i) indices.push_back(uint8_t(i & 1));
  std::vector<std::pair<std::string, bmptest::Options>> seeds;
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    bmptest::Options o;
    o.bits = bits;
    seeds.push_back({"bits" + std::to_string(bits), o});
  }
  seeds.push_back({"core8", [] { bmptest::Options o; o.core = true; o.bits = 8; return o; }()});
  seeds.push_back({"bare24", [] { bmptest::Options o; o.fileHeader = false; return o; }()});
  seeds.push_back({"topdown32", [] { bmptest::Options o; o.topDown = true; o.bits = 32; return o; }()});
  seeds.push_back({"masks565", [] { bmptest::Options o; o.bits = 16; o.bitFields565 = true; return o; }()});
  seeds.push_back({"short_table_gap", [] { bmptest::Options o; o.bits = 4; o.clrUsed = 3; o.gapBeforePixels = 8; return o; }()});
  for (const auto& [name, options] : seeds) {
    const std::vector<uint8_t> bytes = bmptest::Encode(bmptest::Gradient(5, 3), options, palette, indices);
    std::ofstream out(std::string(argv[1]) + "/" + name + ".bmp", std::ios::binary);
    if (!out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) return 1;
  }
  return 0;
}
