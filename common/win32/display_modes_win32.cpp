#include "display_modes_win32.h"

namespace qg::win32 {

bool ReadDisplayMode(DEVMODEA* mode) {
  *mode = DEVMODEA{};
  mode->dmSize = sizeof(*mode);
  return EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, mode) != FALSE;
}

bool SetDisplayMode(const DEVMODEA& mode, DWORD flags) {
  DEVMODEA wanted = mode;  // the call takes a modifiable record
  return ChangeDisplaySettingsA(&wanted, flags) == DISP_CHANGE_SUCCESSFUL;
}

}  // namespace qg::win32
