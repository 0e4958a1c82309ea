// The desktop from the display system both programs show on (the renderer
// makes the same choice): the Wayland compositor's outputs, else the X
// server's root window.
#include "desktop_capture.h"
#include "display_system.h"
#include "wayland/desktop_capture_wayland.h"
#include "x11/desktop_capture_x11.h"

namespace qg::show {

bool CaptureDesktop(DesktopPicture& picture) {
  return qg::ChooseDisplaySystem() == qg::DisplaySystem::kWayland ? CaptureDesktopWayland(picture)
                                                                   : CaptureDesktopX11(picture);
}

}  // namespace qg::show
