#include "show_entry.h"

#include "frame_timer.h"
#include "renderer_app.h"
#include "win32_renderer_platform.h"
#include "win32_time_source.h"

int RunWin32Show(void* instance) {
  static Win32TimeSource clock;
  SetTimeSource(&clock);
  Win32RendererPlatform platform(instance, &RendererWindowProc);
  return RendererMain(platform);
}
