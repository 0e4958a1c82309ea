// libFuzzer entry: the bitmap decoder must never read or write out of bounds,
// and what it accepts must be a whole picture.
#include <cstdlib>

#include "bitmap_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const DecodeResult r = DecodeBitmap(data, size);
  if (r.status == DecodeStatus::Ok) {
    const uint64_t want = uint64_t{3} * uint64_t(r.image.width) * uint64_t(r.image.height);
    if (r.image.width <= 0 || r.image.height <= 0 || r.image.pixels.size() != want) std::abort();
  } else if (!r.image.pixels.empty()) {
    std::abort();
  }
  return 0;
}
