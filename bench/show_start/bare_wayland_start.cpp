// The floor of a show's start on a Wayland desktop: one bare process doing
// the same work in a row. wlr-screencopy of every output into shared memory, a
// plain write of the pixels, an overlay layer surface over the first output
// with a 1024 x 768 EGL window scaled by wp_viewporter, conversion to RGB,
// gluBuild2DMipmaps as the show calls it, one textured frame (two sheets and
// the dark between them) and its swap. It then prints a line and waits to be
// ended, so the caller can time it to that line or to the frame on the
// screen, and read its peak memory.
// With --gl FRAMES it leaves the desktop alone and does only what any GL
// program of the show's kind must: the same surface and context, the texture
// of a made-up 1920 x 1080 picture built as the show builds it where it keeps
// every level (room for all of them from the start; the picture let go once
// built), and FRAMES frames with their swaps. Its peak memory is then what the
// display system holds for drawing, not a texture on the move, and is read
// after the line against the same program on X11 (bare_big_start.cpp).
// Usage: show_bare_wayland_start FILE | show_bare_wayland_start --gl FRAMES
#include <EGL/egl.h>
#include <GL/gl.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <wayland-egl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bare_gl_scene.h"
#include "viewporter-client-protocol.h"
#include "wlr-screencopy-unstable-v1-client-protocol.h"
// The protocol names a request's argument "namespace", a word of C++.
#define namespace name_space
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace

namespace {

struct Globals {
  wl_compositor* compositor = nullptr;
  wl_shm* shm = nullptr;
  zwlr_screencopy_manager_v1* copier = nullptr;
  zwlr_layer_shell_v1* layers = nullptr;
  wp_viewporter* viewporter = nullptr;
  std::vector<wl_output*> outputs;
};

void Global(void* data, wl_registry* r, uint32_t name, const char* iface, uint32_t version) {
  auto* g = static_cast<Globals*>(data);
  auto bind = [&](const wl_interface* i, uint32_t v) { return wl_registry_bind(r, name, i, version < v ? version : v); };
  if (!std::strcmp(iface, wl_compositor_interface.name)) g->compositor = static_cast<wl_compositor*>(bind(&wl_compositor_interface, 4));
  if (!std::strcmp(iface, wl_shm_interface.name)) g->shm = static_cast<wl_shm*>(bind(&wl_shm_interface, 1));
  if (!std::strcmp(iface, wl_output_interface.name)) g->outputs.push_back(static_cast<wl_output*>(bind(&wl_output_interface, 1)));
  if (!std::strcmp(iface, zwlr_screencopy_manager_v1_interface.name))
    g->copier = static_cast<zwlr_screencopy_manager_v1*>(bind(&zwlr_screencopy_manager_v1_interface, 1));
  if (!std::strcmp(iface, zwlr_layer_shell_v1_interface.name))
    g->layers = static_cast<zwlr_layer_shell_v1*>(bind(&zwlr_layer_shell_v1_interface, 1));
  if (!std::strcmp(iface, wp_viewporter_interface.name)) g->viewporter = static_cast<wp_viewporter*>(bind(&wp_viewporter_interface, 1));
}
void GlobalRemove(void*, wl_registry*, uint32_t) {}

// One output's copy: the buffer the compositor asks for, then its pixels.
struct Copy {
  uint32_t format = 0, width = 0, height = 0, stride = 0;
  bool asked = false, done = false, failed = false;
};
void CopyBuffer(void* d, zwlr_screencopy_frame_v1*, uint32_t f, uint32_t w, uint32_t h, uint32_t s) {
  auto* c = static_cast<Copy*>(d);
  *c = Copy{f, w, h, s, true, false, false};
}
void CopyFlags(void*, zwlr_screencopy_frame_v1*, uint32_t) {}
void CopyReady(void* d, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) { static_cast<Copy*>(d)->done = true; }
void CopyFailed(void* d, zwlr_screencopy_frame_v1*) { static_cast<Copy*>(d)->failed = true; }
const zwlr_screencopy_frame_v1_listener kCopy = {CopyBuffer, CopyFlags, CopyReady, CopyFailed, nullptr, nullptr, nullptr};

struct Layer {
  uint32_t width = 0, height = 0;
  bool configured = false;
};
void LayerConfigure(void* d, zwlr_layer_surface_v1* s, uint32_t serial, uint32_t w, uint32_t h) {
  *static_cast<Layer*>(d) = Layer{w, h, true};
  zwlr_layer_surface_v1_ack_configure(s, serial);
}
void LayerClosed(void*, zwlr_layer_surface_v1*) {}
const zwlr_layer_surface_v1_listener kLayer = {LayerConfigure, LayerClosed};

// Every output into one shared-memory file, one after another; the first
// one's pixels (B, G, R, X) and size are kept.
bool CopyOutputs(wl_display* dpy, const Globals& g, const char* path, std::vector<unsigned char>* first, uint32_t* w,
                 uint32_t* h) {
  const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  for (wl_output* output : g.outputs) {
    Copy copy;
    zwlr_screencopy_frame_v1* frame = zwlr_screencopy_manager_v1_capture_output(g.copier, 0, output);
    zwlr_screencopy_frame_v1_add_listener(frame, &kCopy, &copy);
    while (!copy.asked && wl_display_dispatch(dpy) != -1) {
    }
    const size_t bytes = size_t(copy.stride) * copy.height;
    const int mem = memfd_create("floor", MFD_CLOEXEC);
    if (ftruncate(mem, off_t(bytes)) != 0) return false;
    void* pixels = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, mem, 0);
    wl_shm_pool* pool = wl_shm_create_pool(g.shm, mem, int32_t(bytes));
    wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, copy.width, copy.height, copy.stride, copy.format);
    zwlr_screencopy_frame_v1_copy(frame, buffer);
    while (!copy.done && !copy.failed && wl_display_dispatch(dpy) != -1) {
    }
    if (!copy.done) return false;
    for (size_t off = 0; off < bytes;) {
      const ssize_t n = write(fd, static_cast<char*>(pixels) + off, bytes - off);
      if (n <= 0) return false;
      off += size_t(n);
    }
    if (first->empty()) {
      first->assign(static_cast<unsigned char*>(pixels), static_cast<unsigned char*>(pixels) + bytes);
      *w = copy.width, *h = copy.height;
    }
    munmap(pixels, bytes);
  }
  close(fd);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const bool glOnly = std::strcmp(argv[1], "--gl") == 0;
  const int frames = glOnly ? (argc > 2 ? std::atoi(argv[2]) : 1) : 1;
  wl_display* dpy = wl_display_connect(nullptr);
  if (!dpy) return 1;
  Globals g;
  const wl_registry_listener registry = {Global, GlobalRemove};
  wl_registry_add_listener(wl_display_get_registry(dpy), &registry, &g);
  wl_display_roundtrip(dpy);
  if (!g.compositor || !g.layers || !g.viewporter || g.outputs.empty()) return 1;

  std::vector<unsigned char> first;
  uint32_t w = qgbench::kBarePictureWidth, h = qgbench::kBarePictureHeight;
  if (!glOnly && (!g.shm || !g.copier || !CopyOutputs(dpy, g, argv[1], &first, &w, &h))) return 1;

  // The overlay over the first output, 1024 x 768 scaled to fill it.
  wl_surface* surface = wl_compositor_create_surface(g.compositor);
  Layer layer;
  zwlr_layer_surface_v1* ls = zwlr_layer_shell_v1_get_layer_surface(g.layers, surface, g.outputs[0],
                                                                     ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "floor");
  zwlr_layer_surface_v1_add_listener(ls, &kLayer, &layer);
  zwlr_layer_surface_v1_set_anchor(ls, 15);
  zwlr_layer_surface_v1_set_exclusive_zone(ls, -1);
  wl_surface_commit(surface);
  while (!layer.configured && wl_display_dispatch(dpy) != -1) {
  }
  wp_viewport* viewport = wp_viewporter_get_viewport(g.viewporter, surface);
  wp_viewport_set_destination(viewport, int32_t(layer.width), int32_t(layer.height));
  EGLDisplay egl = eglGetDisplay(reinterpret_cast<EGLNativeDisplayType>(dpy));
  eglInitialize(egl, nullptr, nullptr);
  eglBindAPI(EGL_OPENGL_API);
  const EGLint attrs[] = {EGL_SURFACE_TYPE, EGL_WINDOW_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_RED_SIZE, 8,
                          EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_DEPTH_SIZE, 16, EGL_NONE};
  EGLConfig config;
  EGLint n = 0;
  if (!eglChooseConfig(egl, attrs, &config, 1, &n) || n < 1) return 1;
  EGLContext ctx = eglCreateContext(egl, config, EGL_NO_CONTEXT, nullptr);
  wl_egl_window* window = wl_egl_window_create(surface, 1024, 768);
  EGLSurface target = eglCreateWindowSurface(egl, config, reinterpret_cast<EGLNativeWindowType>(window), nullptr);
  eglMakeCurrent(egl, target, target, ctx);

  std::vector<unsigned char> rgb =
      glOnly ? qgbench::MadeUpRgb(int(w), int(h)) : qgbench::RgbFromScreen(first.data(), int(w), int(h), first.size() / h);
  qgbench::BuildTexture(rgb, int(w), int(h), glOnly ? qgbench::Levels::kRoomForAll : qgbench::Levels::kLevel0First);
  if (glOnly) std::vector<unsigned char>().swap(rgb);
  for (int i = 0; i < frames; ++i) {
    qgbench::DrawSheets();
    eglSwapBuffers(egl, target);
  }
  glFinish();
  wl_display_roundtrip(dpy);
  std::printf("frame\n");
  std::fflush(stdout);
  for (;;) pause();
}
