#include "wayland_monitor_covers.h"

#include <algorithm>
#include <climits>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include "monitor_cover.h"
#include "wayland_connection.h"
#include "wayland_fullscreen_surface.h"
#include "wayland_window_target.h"

namespace {

// Zeros are black in XRGB8888, the format every compositor takes.
wl_buffer* BlackBuffer(wl_shm* shm, int width, int height) {
  const int stride = width * 4;
  const off_t size = static_cast<off_t>(stride) * height;
  const int fd = memfd_create("quiverglide-cover", MFD_CLOEXEC);
  if (fd < 0) return nullptr;
  wl_buffer* buffer = nullptr;
  if (ftruncate(fd, size) == 0) {
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<int32_t>(size));
    buffer = wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
  }
  close(fd);
  return buffer;
}

}  // namespace

void WaylandMonitorCovers::CoverOtherMonitors() {
  covering_ = true;
  for (const auto& output : connection_.outputs()) Cover(*output);
}

void WaylandMonitorCovers::Uncover() {
  covering_ = false;
  for (const auto& output : connection_.outputs()) output->cover.reset();
  if (pixel_) wl_buffer_destroy(pixel_);
  for (wl_buffer* buffer : sized_) wl_buffer_destroy(buffer);
  pixel_ = nullptr;
  sized_.clear();
}

void WaylandMonitorCovers::OutputAdded(WaylandOutput& output) {
  if (covering_) Cover(output);
}

void WaylandMonitorCovers::Cover(WaylandOutput& output) {
  if (output.globalName == show_.outputName() || output.cover) return;
  output.cover = std::make_unique<WaylandFullscreenSurface>(connection_, output.output, kCoverCaption, false, true);
  WaylandFullscreenSurface& cover = *output.cover;
  // Painted once the compositor has given it its size, at each new size.
  cover.onConfigure = [this, &cover] { Paint(cover); };
  if (!cover.Create()) output.cover.reset();
}

void WaylandMonitorCovers::Paint(WaylandFullscreenSurface& cover) {
  if (!connection_.shm()) return;
  wl_buffer* buffer = nullptr;
  if (cover.scaling()) {
    // The middle pixel of nine: a lone pixel's edges fade out to the desktop
    // under some compositors' filtering, a pixel among its like's do not.
    if (!pixel_) pixel_ = BlackBuffer(connection_.shm(), 3, 3);
    buffer = pixel_;
    cover.Crop(1, 1, 1, 1);
  } else {
    buffer = BlackBuffer(connection_.shm(), std::max(cover.width(), 1), std::max(cover.height(), 1));
    if (buffer) sized_.push_back(buffer);
  }
  if (!buffer) return;
  wl_surface_attach(cover.surface(), buffer, 0, 0);
  wl_surface_damage(cover.surface(), 0, 0, INT_MAX, INT_MAX);
  wl_surface_commit(cover.surface());
}
