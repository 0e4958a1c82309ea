#include "wayland_outputs.h"

#include <wayland-client.h>

#include "wayland_fullscreen_surface.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace {

void OnGeometry(void* data, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t, const char*, const char*,
                int32_t) {
  auto* out = static_cast<WaylandOutput*>(data);
  // The logical position, when xdg-output gives it, wins.
  if (!out->xdgOutput) out->x = x, out->y = y;
}
void OnMode(void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {}
void OnDone(void*, wl_output*) {}
void OnScale(void*, wl_output*, int32_t) {}
void OnText(void*, wl_output*, const char*) {}
const wl_output_listener kOutputListener = {OnGeometry, OnMode, OnDone, OnScale, OnText, OnText};

void OnLogicalPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y) {
  auto* out = static_cast<WaylandOutput*>(data);
  out->x = x, out->y = y;
}
void OnLogicalSize(void*, zxdg_output_v1*, int32_t, int32_t) {}
void OnXdgDone(void*, zxdg_output_v1*) {}
void OnXdgText(void*, zxdg_output_v1*, const char*) {}
const zxdg_output_v1_listener kXdgOutputListener = {OnLogicalPosition, OnLogicalSize, OnXdgDone, OnXdgText, OnXdgText};

}  // namespace

WaylandOutput::WaylandOutput(uint32_t name, wl_output* wlOutput) : globalName(name), output(wlOutput) {
  wl_output_add_listener(output, &kOutputListener, this);
}

WaylandOutput::~WaylandOutput() {
  cover.reset();
  if (xdgOutput) zxdg_output_v1_destroy(xdgOutput);
  if (wl_output_get_version(output) >= WL_OUTPUT_RELEASE_SINCE_VERSION) wl_output_release(output);
  else wl_output_destroy(output);
}

void WaylandOutput::Describe(zxdg_output_manager_v1* manager) {
  if (!manager || xdgOutput) return;
  xdgOutput = zxdg_output_manager_v1_get_xdg_output(manager, output);
  zxdg_output_v1_add_listener(xdgOutput, &kXdgOutputListener, this);
}

WaylandOutput* ShowOutput(const std::vector<std::unique_ptr<WaylandOutput>>& outputs) {
  for (const auto& out : outputs)
    if (out->x == 0 && out->y == 0) return out.get();
  return outputs.empty() ? nullptr : outputs.front().get();
}
