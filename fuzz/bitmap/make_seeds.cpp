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
  // Options: bits, file header, core header, top-down, table entries, gap before the pixels, 5-6-5 masks.
  const std::pair<std::string, bmptest::Options> seeds[] = {
      {"bits1", {1}},   {"bits4", {4}},   {"bits8", {8}},
      {"bits16", {16}}, {"bits24", {24}}, {"bits32", {32}},
      {"core8", {8, true, true}},         {"bare24", {24, false}},
      {"topdown32", {32, true, false, true}}, {"masks565", {16, true, false, false, 0, 0, true}},
      {"short_table_gap", {4, true, false, false, 3, 8}}};
  for (const auto& [name, options] : seeds) {
    const std::vector<uint8_t> bytes = bmptest::Encode(bmptest::Gradient(5, 3), options, palette, indices);
    std::ofstream out(std::string(argv[1]) + "/" + name + ".bmp", std::ios::binary);
    if (!out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) return 1;
  }
  return 0;
}
