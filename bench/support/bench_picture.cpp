#include "bench_picture.h"

#include <cstdint>
#include <fstream>
#include <vector>

#include "bmp_format.h"

namespace qgbench {

void WriteDesktopPicture(const std::string& path, int w, int h) {
  const qg::show::DesktopPicture picture = qg::show::DesktopPicture::Allocate(w, h);
  for (int y = 0; y < h; ++y) {
    uint8_t* row = picture.Row(h - 1 - y);  // the detail as before, counted from the bottom row
    for (int x = 0; x < w; ++x) {
      row[4 * x] = static_cast<uint8_t>(x ^ y);
      row[4 * x + 1] = static_cast<uint8_t>(x * 2);
      row[4 * x + 2] = static_cast<uint8_t>(y);
      row[4 * x + 3] = 0;
    }
  }
  const std::vector<uint8_t> file = qg::show::EncodeBmp(picture);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                              static_cast<std::streamsize>(file.size()));
}

}  // namespace qgbench
