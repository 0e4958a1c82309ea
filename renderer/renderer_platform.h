// What the renderer's spine needs of the windowing system: one window, its
// events, the display mode, the cursor, a GL context, the system screensaver,
// the error box and the quit signals. Each platform implements it in a folder
// of its own (x11/ today); the spine and its tests see only this interface.
#pragma once

#include <cstdint>
#include <string>

class LoaderPlatform;

// Messages of the renderer's own queue. The values are those the window
// procedure's table is written in, so the table reads the same everywhere.
enum RendererMessageCode : uint32_t {
  kMsgSize = 0x0005,
  kMsgPaint = 0x000F,
  kMsgClose = 0x0010,
  kMsgQuit = 0x0012,
  kMsgKeyDown = 0x0100,
  kMsgKeyUp = 0x0101,
  kMsgSysCommand = 0x0112,
  kMsgMouseMove = 0x0200,
  kMsgButtonDown = 0x0201,
  kMsgButtonUp = 0x0202,
};

// Key code of Escape in key-down messages.
constexpr uintptr_t kKeyEscape = 0x1B;
// The system's "start the screensaver" command of kMsgSysCommand.
constexpr uintptr_t kSysCommandScreenSave = 0xF140;

struct RendererMessage {
  uint32_t message = 0;
  uintptr_t wParam = 0;
  intptr_t lParam = 0;
};

// The GL framebuffer the show asks for; the platform takes the closest it has.
struct PixelFormatRequest {
  bool doubleBuffer = true;
  bool rgba = true;
  int colourBits = 16;
  int depthBits = 16;
};

class RendererPlatform {
 public:
  virtual ~RendererPlatform();

  // Connects to the windowing system. False (with the reason) when there is
  // none: the window then cannot be created.
  virtual bool OpenDisplay(std::string* why) = 0;
  // Disconnects; the last call of a run.
  virtual void CloseDisplay() = 0;

  // Reads and remembers the current mode of the display the window goes on.
  // False when there is no readable mode: nothing is then changed.
  virtual bool ReadCurrentDisplayMode() = 0;
  // Switches that display to width x height. False when refused or impossible.
  virtual bool ChangeDisplayMode(int width, int height) = 0;
  // Back to the remembered mode; nothing when the mode was never changed.
  virtual void RestoreDisplayMode() = 0;

  // Hides (false) or shows (true) the pointer over the show; calls balance.
  virtual void ShowCursor(bool show) = 0;

  // Chooses the GL framebuffer format. Some platforms must do this before the
  // window exists, so the spine calls it first; the result is reported by
  // SetupPixelFormat once the window exists.
  virtual void ChoosePixelFormat(const PixelFormatRequest& request) = 0;
  // True when a matching format was found and set on the window.
  virtual bool SetupPixelFormat() = 0;

  // A borderless top-level window; class name and caption both `title`.
  virtual bool CreateWindow(const std::string& title, int x, int y, int width, int height) = 0;
  // Shows the window, waits until it can take input, and paints it once.
  virtual void ShowWindow() = 0;
  // Gives the window the keyboard (for a screensaver: all of it).
  virtual void SetFocus() = 0;
  virtual void GetClientSize(int* width, int* height) = 0;
  virtual void DestroyWindow() = 0;
  // Marks the window's content as painted (the paint message's handling).
  virtual void ValidateWindow() = 0;
  // What the system does with a message the show does not handle itself.
  virtual intptr_t DefaultWindowProc(const RendererMessage& message) = 0;

  // Creates a GL context for the window and makes it current. False on failure.
  virtual bool CreateGLContext() = 0;
  // Makes no context current and deletes it; nothing when there is none.
  virtual void DestroyGLContext() = 0;
  virtual void SwapBuffers() = 0;

  // Keeps the system's own screensaver from starting while the show runs.
  virtual void SuspendScreenSaver(bool suspend) = 0;

  // Takes one waiting event, translated to a message, without waiting.
  // False when none waits.
  virtual bool PeekEvent(RendererMessage* message) = 0;
  // True once the process has been asked to end (a termination signal).
  virtual bool QuitRequested() = 0;

  // The modal error box: caption "Error", one OK button, above the show.
  virtual void ShowErrorBox(const std::string& text) = 0;
  // File access and error reporting for the snapshot loader.
  virtual LoaderPlatform& Loader() = 0;
};
