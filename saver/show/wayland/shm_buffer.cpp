#include "shm_buffer.h"

#include <wayland-client.h>

#include <climits>
#include <sys/mman.h>
#include <unistd.h>

namespace qg::show {

std::unique_ptr<ShmBuffer> ShmBuffer::Create(wl_shm* shm, uint32_t format, int32_t width, int32_t height,
                                             int32_t stride) {
  const int64_t size = int64_t(stride) * height;
  if (!shm || width <= 0 || height <= 0 || int64_t(stride) < int64_t(width) * 4 || size > INT32_MAX) return nullptr;
  const int fd = memfd_create("quiverglide-desktop", MFD_CLOEXEC);
  if (fd < 0) return nullptr;
  void* memory = ftruncate(fd, size) == 0 ? mmap(nullptr, size_t(size), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0)
                                          : MAP_FAILED;
  if (memory == MAP_FAILED) {
    close(fd);
    return nullptr;
  }
  std::unique_ptr<ShmBuffer> b(new ShmBuffer);
  b->pixels_.reset(static_cast<uint8_t*>(memory), [size](uint8_t* p) { munmap(p, size_t(size)); });
  wl_shm_pool* pool = wl_shm_create_pool(shm, fd, int32_t(size));
  b->buffer_ = wl_shm_pool_create_buffer(pool, 0, width, height, stride, format);
  // The buffer keeps the pool's memory; neither the pool nor the fd is needed.
  wl_shm_pool_destroy(pool);
  close(fd);
  return b;
}

ShmBuffer::~ShmBuffer() {
  if (buffer_) wl_buffer_destroy(buffer_);
}

}  // namespace qg::show
