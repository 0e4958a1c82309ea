#include "win_process.h"

#include <cstdio>
#include <cstdlib>

namespace wintest {

std::string WindowsPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string BinDir() { return WindowsPath(QG_TEST_BIN_DIR); }

bool RunHas(const char* variable) {
  const char* value = std::getenv(variable);
  return value && std::string(value) == "1";
}

std::string ProgramDir() {
  const char* dir = std::getenv("QG_PROGRAM_DIR");
  return dir && *dir ? std::string(dir) : BinDir();
}

Program::Program(const std::string& path, const std::string& arguments) {
  std::string commandLine = "\"" + path + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  // Wine now and then refuses a start while the program of the previous one
  // is still being let go of; a real failure stays a failure after a few tries.
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
      process_ = info.hProcess;
      thread_ = info.hThread;
      return;
    }
    std::fprintf(stderr, "CreateProcessA(%s) failed with error %lu\n", path.c_str(), GetLastError());
    Sleep(200);
  }
}

Program::~Program() {
  DWORD code;
  if (process_ && !Wait(0, &code)) TerminateProcess(process_, 99), WaitForSingleObject(process_, 5000);
  if (thread_) CloseHandle(thread_);
  if (process_) CloseHandle(process_);
}

bool Program::Wait(DWORD ms, DWORD* exitCode) {
  if (!process_ || WaitForSingleObject(process_, ms) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(process_, exitCode);
  return true;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD ms) {
  for (const DWORD start = GetTickCount(); !condition(); Sleep(50))
    if (GetTickCount() - start > ms) return false;
  return true;
}

void Press(WORD key) {
  INPUT input[2] = {};
  input[0].type = input[1].type = key ? INPUT_KEYBOARD : INPUT_MOUSE;
  if (key) {
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  } else {
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  }
  SendInput(1, input, sizeof(INPUT));
  Sleep(150);
  SendInput(1, input + 1, sizeof(INPUT));
}

HWND WaitForWindow(const char* caption, DWORD ms, const char* className) {
  HWND window = nullptr;
  WaitUntil([&] { return (window = FindWindowA(className, caption)) != nullptr; }, ms);
  return window;
}

bool WaitForNoWindow(const char* caption, DWORD ms) {
  return WaitUntil([&] { return FindWindowA(nullptr, caption) == nullptr; }, ms);
}

DisplaySize ProbeDisplaySize() {
  Program probe(BinDir() + "\\..\\tests\\windows\\display_probe.exe");
  DWORD code = 0;
  DisplaySize size;
  if (probe.Wait(20000, &code) && code != 0) {
    size.width = static_cast<int>(code / 10000);
    size.height = static_cast<int>(code % 10000);
  }
  return size;
}

bool WaitForDisplaySize(int width, int height, DWORD ms) {
  return WaitUntil([&] {
    const DisplaySize now = ProbeDisplaySize();
    return now.width == width && now.height == height;
  }, ms);
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

std::string ReadFileBytes(const std::string& path) {
  std::string bytes;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  char buf[65536];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.append(buf, n);
  std::fclose(f);
  return bytes;
}

}  // namespace wintest
