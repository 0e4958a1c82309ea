// The form layer's statements on Windows under Wine on the dummy Xorg:
// markers found by caption, window geometry, the cursor counter, the message
// box and the file-open dialog driven as a user would, programs started.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "forms/statements.h"
#include "win_process.h"

namespace {

bool ShowTestsEnabled() {
  const char* v = std::getenv("QG_WINE_SHOW_TESTS");
  return v && std::string(v) == "1";
}

std::string Utf8(const wchar_t* w) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, w, -1, &s[0], n, nullptr, nullptr);
  return s;
}

std::wstring Wide(const std::string& s) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, nullptr, 0);
  std::wstring w(static_cast<size_t>(n > 0 ? n - 1 : 0), L'\0');
  if (n > 1) MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, &w[0], n);
  return w;
}

HWND MakeWindow(const char* caption, bool visible, int x = 100, int y = 100, int w = 200, int h = 150) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"QgStatementsTest";
  RegisterClassW(&windowClass);
  return CreateWindowExW(0, L"QgStatementsTest", Wide(caption).c_str(), WS_POPUP | (visible ? WS_VISIBLE : 0), x, y,
                         w, h, nullptr, nullptr, windowClass.hInstance, nullptr);
}

// Waits on another thread for a dialog with this caption, then acts on it.
class DialogDriver {
 public:
  template <typename Act>
  DialogDriver(const std::string& caption, Act act)
      : thread_([this, caption, act] {
          const std::wstring wide = Wide(caption);
          for (int i = 0; i < 400 && !found_; ++i) {
            HWND dialog = FindWindowW(L"#32770", wide.c_str());
            if (dialog) {
              found_ = true;
              act(dialog);
              return;
            }
            Sleep(50);
          }
        }) {}
  ~DialogDriver() { thread_.join(); }
  bool found() const { return found_; }

 private:
  std::atomic<bool> found_{false};
  std::thread thread_;
};

BOOL CALLBACK CollectStatic(HWND child, LPARAM out) {
  wchar_t className[32] = {};
  GetClassNameW(child, className, 32);
  if (lstrcmpiW(className, L"Static") == 0) {
    wchar_t text[512] = {};
    GetWindowTextW(child, text, 512);
    if (text[0]) reinterpret_cast<std::vector<std::string>*>(out)->push_back(Utf8(text));
  }
  return TRUE;
}

class StatementsWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ShowTestsEnabled()) GTEST_SKIP() << "needs the private dummy Xorg of scripts/test-windows.sh";
  }
};

TEST_F(StatementsWin32Test, MarkersAreFoundByTheirWholeCaptionUntilTheyGo) {
  HWND run = MakeWindow("Wobblevista_Main", false);
  HWND dialog = MakeWindow("<Quiverglide>", false);
  ASSERT_NE(run, nullptr);
  EXPECT_EQ(qgf::FindWindowByCaption("Wobblevista_Main"), reinterpret_cast<qgf::WindowId>(run));
  EXPECT_EQ(qgf::FindWindowByCaption("<Quiverglide>"), reinterpret_cast<qgf::WindowId>(dialog));
  EXPECT_EQ(qgf::FindWindowByCaption("Wobblevista_Mai"), 0u);
  HWND japanese = MakeWindow("設定 ﾃｽﾄ", false);
  EXPECT_EQ(qgf::FindWindowByCaption("設定 ﾃｽﾄ"), reinterpret_cast<qgf::WindowId>(japanese));
  DestroyWindow(run);
  DestroyWindow(dialog);
  DestroyWindow(japanese);
  EXPECT_EQ(qgf::FindWindowByCaption("Wobblevista_Main"), 0u);
  EXPECT_EQ(qgf::FindWindowByCaption("<Quiverglide>"), 0u);
}

TEST_F(StatementsWin32Test, WindowGeometryPointAndCursor) {
  HWND window = MakeWindow("geometry", true, 120, 90, 300, 200);
  ASSERT_NE(window, nullptr);
  wintest::WaitForWindow("geometry", 2000);
  qgf::PixelRect rect;
  ASSERT_TRUE(qgf::WindowRect(reinterpret_cast<qgf::WindowId>(window), rect));
  EXPECT_EQ(rect.left, 120);
  EXPECT_EQ(rect.top, 90);
  EXPECT_EQ(rect.width(), 300);
  EXPECT_EQ(rect.height(), 200);
  EXPECT_EQ(qgf::WindowFromPoint(qgf::Point{200, 150}), reinterpret_cast<qgf::WindowId>(window));
  DestroyWindow(window);
  EXPECT_FALSE(qgf::WindowRect(reinterpret_cast<qgf::WindowId>(window), rect));
  EXPECT_EQ(rect.right, 0);
  EXPECT_FALSE(qgf::WindowRect(0, rect));

  ASSERT_TRUE(SetCursorPos(321, 234));
  qgf::Point p;
  ASSERT_TRUE(qgf::CursorPos(p));
  EXPECT_EQ(p.x, 321);
  EXPECT_EQ(p.y, 234);

  // The system's counter: hidden below 0, each call one step.
  const int start = qgf::ShowCursor(0) + 1;
  EXPECT_EQ(qgf::ShowCursor(0), start - 2);
  EXPECT_EQ(qgf::ShowCursor(1), start - 1);
  EXPECT_EQ(qgf::ShowCursor(7), start);  // any nonzero flag shows
}

TEST_F(StatementsWin32Test, MessageBoxShowsTheTextUntilDismissed) {
  std::vector<std::string> texts;
  {
    DialogDriver driver("Quiverglide", [&texts](HWND box) {
      Sleep(200);
      EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&texts));
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    qgf::MsgBox("Quiverglide.dll が見つかりません。", "Quiverglide");
    EXPECT_TRUE(driver.found());
  }
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.back(), "Quiverglide.dll が見つかりません。");
}

TEST_F(StatementsWin32Test, FileDialogReturnsTheChosenFileOrNothing) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "qg-dialog-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string music = folder + "\\tune.mp3";
  ASSERT_TRUE(wintest::WriteFileBytes(music, "ID3"));

  qgf::OpenFileRequest request;
  request.title = "BGM選択";
  request.filter_name = "BGMﾌｧｲﾙ (MP3 WAV)";
  request.filter_pattern = "*.MP3;*.WAV";
  request.initial_folder = folder;
  {
    DialogDriver driver(request.title, [](HWND dialog) {
      Sleep(300);
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(qgf::OpenFileDialog(request), std::nullopt);
    EXPECT_TRUE(driver.found());
  }
  {
    DialogDriver driver(request.title, [](HWND dialog) {
      Sleep(300);
      // The file-name box (cmb13 in the Explorer style, edt1 in the old one).
      SetDlgItemTextW(dialog, 0x47C, L"tune.mp3");
      SetDlgItemTextW(dialog, 0x480, L"tune.mp3");
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    const std::optional<std::string> chosen = qgf::OpenFileDialog(request);
    EXPECT_TRUE(driver.found());
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(lstrcmpiA(chosen->c_str(), music.c_str()), 0) << *chosen;
  }
  DeleteFileA(music.c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST_F(StatementsWin32Test, ProgramsAndFoldersStartOrFailPlainly) {
  const std::string probe = wintest::BinDir() + "\\..\\tests\\windows\\display_probe.exe";
  EXPECT_TRUE(qgf::Shell(probe));
  EXPECT_FALSE(qgf::Shell("C:\\no\\such\\program.exe"));
  EXPECT_TRUE(qgf::OpenDocument(probe));
  EXPECT_FALSE(qgf::OpenDocument("C:\\no\\such\\document.txt"));

  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "qg-mkdir-" + std::to_string(GetCurrentProcessId());
  EXPECT_TRUE(qgf::MakeFolder(folder));
  EXPECT_FALSE(qgf::MakeFolder(folder)) << "it exists now";
  EXPECT_TRUE(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
