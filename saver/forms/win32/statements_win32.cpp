// The form layer's statements on Windows: starting programs, folders, the
// message box, the file-open dialog, opening documents, and the window and
// cursor queries. Texts are UTF-8 in the program and go to the wide calls.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "file_system.h"
#include "forms/statements.h"
#include "wide_text.h"

namespace qgf {

using qg::win32::Utf8ToWide;
using qg::win32::WideToUtf8;

bool Shell(const std::string& program) {
  std::wstring path = Utf8ToWide(program);
  std::wstring commandLine = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;  // a normal window that takes the focus
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return false;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);  // not waited for
  return true;
}

bool MakeFolder(const std::string& path) { return qg::DefaultFileSystem().MakeFolder(path, false); }

void MsgBox(const std::string& text, const std::string& caption) {
  MessageBoxW(GetActiveWindow(), Utf8ToWide(text).c_str(), Utf8ToWide(caption).c_str(), MB_OK);
}

std::optional<std::string> OpenFileDialog(const OpenFileRequest& r) {
  // The filter is "name\0pattern\0\0"; the system matches without regard to case.
  std::wstring filter = Utf8ToWide(r.filter_name);
  filter.push_back(L'\0');
  filter += Utf8ToWide(r.filter_pattern);
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  const std::wstring title = Utf8ToWide(r.title);
  const std::wstring folder = Utf8ToWide(r.initial_folder);
  std::vector<wchar_t> file(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = reinterpret_cast<HWND>(r.owner);
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;
  return WideToUtf8(file.data());
}

bool OpenDocument(const std::string& target) {
  const HINSTANCE result =
      ShellExecuteW(nullptr, L"open", Utf8ToWide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

bool CursorPos(Point& position) {
  POINT p;
  if (!GetCursorPos(&p)) return false;
  position = Point{p.x, p.y};
  return true;
}

WindowId WindowFromPoint(Point screen_point) {
  return reinterpret_cast<WindowId>(::WindowFromPoint(POINT{screen_point.x, screen_point.y}));
}

bool WindowRect(WindowId window, PixelRect& rect) {
  rect = PixelRect{};
  RECT r;
  HWND handle = reinterpret_cast<HWND>(window);
  if (!window || !IsWindow(handle) || !GetWindowRect(handle, &r)) return false;
  rect = PixelRect{r.left, r.top, r.right, r.bottom};
  return true;
}

WindowId FindWindowByCaption(const std::string& caption) {
  return reinterpret_cast<WindowId>(FindWindowW(nullptr, Utf8ToWide(caption).c_str()));
}

int ShowCursor(int flag) { return ::ShowCursor(flag != 0 ? TRUE : FALSE); }

}  // namespace qgf
