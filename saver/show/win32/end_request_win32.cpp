// End requests on Windows: the end of the user's session and a console's
// close or break. The session's end arrives to our forms' windows as
// WM_ENDSESSION; a console control event arrives on a thread of its own. Both
// only set the flag that the run form polls.
#include <windows.h>

#include <atomic>

#include "end_request.h"

namespace qg::show {
namespace {

std::atomic<bool> g_requested{false};

BOOL WINAPI OnConsoleEvent(DWORD) {
  g_requested = true;
  return TRUE;
}

LRESULT CALLBACK SessionProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_QUERYENDSESSION) return TRUE;
  if (msg == WM_ENDSESSION && wp) g_requested = true;
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void WatchEndRequests() {
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
  // A hidden top-level window of its own hears the session's end (message-
  // only windows are not told).
  WNDCLASSW wc{};
  wc.lpfnWndProc = SessionProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"QuiverglideSession";
  RegisterClassW(&wc);
  CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
}

bool EndRequested() { return g_requested; }

}  // namespace qg::show
