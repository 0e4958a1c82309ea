// What every Windows test needs, running inside Wine.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace wintest {

// A Unix path as Wine shows it: the Unix root is drive Z.
inline std::string WindowsPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// Whether scripts/test-windows.sh set this variable to 1 for the run.
inline bool RunHas(const char* variable) {
  const char* value = std::getenv(variable);
  return value && std::string(value) == "1";
}

// Polls until the condition holds (true) or `ms` have passed (false).
inline bool WaitUntil(const std::function<bool()>& condition, DWORD ms) {
  for (const DWORD start = GetTickCount(); !condition(); Sleep(50))
    if (GetTickCount() - start > ms) return false;
  return true;
}

}  // namespace wintest
