#include "screencopy.h"

#include <wayland-client.h>

#include "shm_buffer.h"
#include "wlr-screencopy-unstable-v1-client-protocol.h"

namespace qg::show {

namespace {

struct Frame {
  WaylandDesktop* desktop = nullptr;
  const WaylandOutput* output = nullptr;
  zwlr_screencopy_frame_v1* frame = nullptr;
  bool offered = false;  // a shared-memory buffer was described
  uint32_t format = 0;
  int32_t width = 0, height = 0, stride = 0;
  bool yInverted = false;
  std::unique_ptr<ShmBuffer> shm;
  enum class State { kWaiting, kReady, kFailed } state = State::kWaiting;
};

// Once the buffer is described (and, from version 3 on, every kind of buffer
// has been offered), ours is made in the compositor's layout and handed over.
void Copy(Frame* f) {
  if (f->shm || f->state != Frame::State::kWaiting) return;
  if (f->offered && BufferFormatOfCode(f->format))
    f->shm = ShmBuffer::Create(f->desktop->shm(), f->format, f->width, f->height, f->stride);
  if (!f->shm) {
    f->state = Frame::State::kFailed;
    return;
  }
  zwlr_screencopy_frame_v1_copy(f->frame, f->shm->buffer());
}

void Buffer(void* data, zwlr_screencopy_frame_v1*, uint32_t format, uint32_t width, uint32_t height,
            uint32_t stride) {
  auto* f = static_cast<Frame*>(data);
  if (f->offered) return;
  f->offered = true;
  f->format = format;
  f->width = int32_t(width);
  f->height = int32_t(height);
  f->stride = int32_t(stride);
  if (f->desktop->screencopyVersion() < 3) Copy(f);
}

void Flags(void* data, zwlr_screencopy_frame_v1*, uint32_t flags) {
  static_cast<Frame*>(data)->yInverted = flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT;
}

void Ready(void* data, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {
  static_cast<Frame*>(data)->state = Frame::State::kReady;
}

void Failed(void* data, zwlr_screencopy_frame_v1*) { static_cast<Frame*>(data)->state = Frame::State::kFailed; }
void Damage(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t, uint32_t) {}
void Dmabuf(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {}
void BufferDone(void* data, zwlr_screencopy_frame_v1*) { Copy(static_cast<Frame*>(data)); }

const zwlr_screencopy_frame_v1_listener kFrameListener = {Buffer, Flags, Ready, Failed, Damage, Dmabuf, BufferDone};

}  // namespace

bool CopyOutputs(WaylandDesktop& desktop, Deadline deadline, std::vector<OutputBuffer>* buffers) {
  buffers->clear();
  if (!desktop.screencopy() || !desktop.shm() || desktop.outputs().empty()) return false;
  // Every output asked at once, so that they are copied side by side.
  std::vector<Frame> frames(desktop.outputs().size());
  for (size_t i = 0; i < frames.size(); ++i) {
    Frame& f = frames[i];
    f.desktop = &desktop;
    f.output = desktop.outputs()[i].get();
    // Without the pointer: the X server's picture has none either.
    f.frame = zwlr_screencopy_manager_v1_capture_output(desktop.screencopy(), 0, f.output->output);
    zwlr_screencopy_frame_v1_add_listener(f.frame, &kFrameListener, &f);
  }
  // Settled when every output is in, or at the first that fails.
  auto settled = [&] {
    bool all = true;
    for (const Frame& f : frames) {
      if (f.state == Frame::State::kFailed) return true;
      all = all && f.state == Frame::State::kReady;
    }
    return all;
  };
  bool ok = desktop.DispatchUntil(deadline, settled);
  for (Frame& f : frames) {
    ok = ok && f.state == Frame::State::kReady;
    zwlr_screencopy_frame_v1_destroy(f.frame);
  }
  if (!ok) return false;
  for (Frame& f : frames) {
    OutputBuffer b;
    b.pixels = f.shm->pixels();
    b.width = f.width;
    b.height = f.height;
    b.stride = size_t(f.stride);
    b.format = *BufferFormatOfCode(f.format);
    b.yInverted = f.yInverted;
    b.transform = f.output->transform;
    b.place = f.output->Place();
    buffers->push_back(b);
  }
  return true;
}

}  // namespace qg::show
