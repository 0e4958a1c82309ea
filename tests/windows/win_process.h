// Starting the Windows programs under test and looking at the desktop they
// change, from inside Wine.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace wintest {

// A Unix path as Wine shows it: the Unix root is drive Z.
std::string WindowsPath(const std::string& unixPath);
// The folder of the shipped programs as a Windows path (the build's bin/).
std::string BinDir();
// Whether scripts/test-windows.sh set this variable to 1 for the run.
bool RunHas(const char* variable);
// The folder the shipped programs are started from: QG_PROGRAM_DIR (a
// Windows path, e.g. where the ZIP was unpacked) when set, else BinDir().
std::string ProgramDir();

// A started program, ended if still running when the object goes; the
// handles close with it.
class Program {
 public:
  explicit Program(const std::string& path, const std::string& arguments = "");
  ~Program();
  bool started() const { return process_ != nullptr; }
  // Waits up to `ms`; true with the exit code once the program has ended.
  bool Wait(DWORD ms, DWORD* exitCode);

 private:
  HANDLE process_ = nullptr;
  HANDLE thread_ = nullptr;
};

// Polls until the condition holds (true) or `ms` have passed (false).
bool WaitUntil(const std::function<bool()>& condition, DWORD ms);
// A key (or, with 0, the left mouse button) pressed and let go, as a user would.
void Press(WORD key);
// Polls until a top-level window with this caption exists, up to `ms`.
HWND WaitForWindow(const char* caption, DWORD ms, const char* className = nullptr);
// Polls until no top-level window with this caption exists, up to `ms`.
bool WaitForNoWindow(const char* caption, DWORD ms);

struct DisplaySize {
  int width = 0, height = 0;
};

// The display's size as a new process first sees it. Wine keeps each
// process's view of the display mode once read, so a change made by another
// program is only seen reliably by a fresh one (display_probe.exe).
DisplaySize ProbeDisplaySize();
// Probes until the display has this size, up to `ms`.
bool WaitForDisplaySize(int width, int height, DWORD ms);

// Writes `bytes` to `path`, replacing it; the whole file, or "" when unreadable.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);

}  // namespace wintest
