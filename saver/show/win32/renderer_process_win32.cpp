// The renderer as a separate process on Windows. The process handle is kept
// while the object lives, so the id cannot be handed to another process in
// the meantime.
#include "renderer_process.h"

#include <windows.h>

#include <map>

namespace qg::show {

namespace {

// Handles of started renderers by process id (the class keeps only the id).
std::map<long, HANDLE>& Handles() {
  static std::map<long, HANDLE> handles;
  return handles;
}

HANDLE HandleOf(long id) {
  auto it = Handles().find(id);
  return it == Handles().end() ? nullptr : it->second;
}

}  // namespace

RendererProcess::~RendererProcess() {
  if (HANDLE h = HandleOf(id_)) {
    CloseHandle(h);
    Handles().erase(id_);
  }
}

bool RendererProcess::Start(const std::string& path) {
  if (Started()) return false;
  std::string commandLine = "\"" + path + "\"";  // no arguments
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;  // a normal window that takes the focus
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  id_ = static_cast<long>(info.dwProcessId);
  ended_ = false;
  Handles()[id_] = info.hProcess;
  return true;
}

bool RendererProcess::Running() {
  if (!Started() || ended_) return false;
  HANDLE h = HandleOf(id_);
  if (!h || WaitForSingleObject(h, 0) == WAIT_OBJECT_0) ended_ = true;
  return !ended_;
}

bool RendererProcess::WaitEnded(int timeoutMs) {
  if (!Started() || ended_) return true;
  HANDLE h = HandleOf(id_);
  if (!h || WaitForSingleObject(h, timeoutMs < 0 ? 0 : static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0)
    ended_ = true;
  return ended_;
}

void RendererProcess::Kill() {
  HANDLE h = HandleOf(id_);
  if (!h || ended_) return;
  TerminateProcess(h, 1);
  WaitForSingleObject(h, 5000);
  ended_ = true;
}

}  // namespace qg::show
