#include "desktop_capture_wayland.h"

#include "desktop_composer.h"
#include "portal_screenshot.h"
#include "screencopy.h"
#include "wayland_desktop.h"

namespace qg::show {

namespace {

using Clock = std::chrono::steady_clock;

// A compositor answers its clients within a frame or two; one that has not
// answered in this time is not going to, and the show starts without it.
constexpr auto kCompositorWait = std::chrono::seconds(2);
// The portal may first have to be started by the bus, and then writes and we
// read a whole picture file.
constexpr auto kPortalWait = std::chrono::seconds(3);

}  // namespace

bool CaptureDesktopWayland(DesktopPicture& picture, bool allowScreencopy) {
  picture = DesktopPicture{};
  std::vector<DesktopRect> places;
  {
    const Deadline deadline = Clock::now() + kCompositorWait;
    WaylandDesktop desktop(deadline);
    // A compositor that does not answer would not serve the portal either.
    if (!desktop.answered()) return false;
    std::vector<OutputBuffer> buffers;
    if (allowScreencopy && CopyOutputs(desktop, deadline, &buffers)) picture = ComposeDesktop(buffers);
    if (!picture.empty()) return true;
    places = desktop.Places();
  }
  picture = ComposeDesktop(CutForOutputs(PortalScreenshot(Clock::now() + kPortalWait), places));
  return !picture.empty();
}

}  // namespace qg::show
