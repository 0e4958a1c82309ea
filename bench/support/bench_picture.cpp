#include "bench_picture.h"

#include <cstdint>
#include <fstream>
#include <vector>

namespace qgbench {

void WriteDesktopPicture(const std::string& path, int w, int h) {
  const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
  std::vector<unsigned char> file(54 + stride * static_cast<size_t>(h));
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<unsigned char>(v >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<uint32_t>(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(w));
  put32(22, static_cast<uint32_t>(h));
  file[26] = 1;
  file[28] = 24;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned char* p = &file[54 + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3];
      p[0] = static_cast<unsigned char>(x ^ y);
      p[1] = static_cast<unsigned char>(x * 2);
      p[2] = static_cast<unsigned char>(y);
    }
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                              static_cast<std::streamsize>(file.size()));
}

}  // namespace qgbench
