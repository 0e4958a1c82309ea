// The mark as a named mutex of the logon session ("Local\"): creating it is
// the one-step claim, and the system drops it with the last handle, which the
// process's end closes however it ends. The session argument is the logon
// session itself here, so it is not part of the name.
#include "session_marker.h"

#include <windows.h>

namespace qg {

namespace {

std::string MutexName(const std::string& name) {
  std::string out = "Local\\Quiverglide ";
  for (char c : name) out += c == '\\' ? '_' : c;  // a backslash would name a namespace
  return out;
}

}  // namespace

bool SessionMarker::Claim(const std::string& /*session*/, const std::string& name) {
  if (held()) return true;
  HANDLE mutex = CreateMutexA(nullptr, FALSE, MutexName(name).c_str());
  if (!mutex) return false;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return false;
  }
  handle_ = reinterpret_cast<intptr_t>(mutex);
  return true;
}

void SessionMarker::Release() {
  if (!held()) return;
  CloseHandle(reinterpret_cast<HANDLE>(handle_));
  handle_ = kNone;
}

bool SessionMarkerHeld(const std::string& /*session*/, const std::string& name) {
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, MutexName(name).c_str());
  if (!mutex) return false;
  CloseHandle(mutex);
  return true;
}

}  // namespace qg
