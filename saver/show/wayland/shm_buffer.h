// A buffer the compositor writes into: shared memory of our own (a memfd),
// offered to it as a wl_buffer.
#pragma once

#include <cstdint>
#include <memory>

struct wl_shm;
struct wl_buffer;

namespace qg::show {

class ShmBuffer {
 public:
  // Null when the sizes make no buffer or the memory cannot be had.
  static std::unique_ptr<ShmBuffer> Create(wl_shm* shm, uint32_t format, int32_t width, int32_t height,
                                           int32_t stride);
  // Destroys the wl_buffer; the memory stays mapped while its pixels are shared.
  ~ShmBuffer();
  ShmBuffer(const ShmBuffer&) = delete;
  ShmBuffer& operator=(const ShmBuffer&) = delete;

  wl_buffer* buffer() const { return buffer_; }
  const std::shared_ptr<uint8_t>& pixels() const { return pixels_; }

 private:
  ShmBuffer() = default;
  wl_buffer* buffer_ = nullptr;
  std::shared_ptr<uint8_t> pixels_;
};

}  // namespace qg::show
