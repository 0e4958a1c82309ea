// What the renderer's spine needs of the windowing system, as a few services:
// the display mode, the cursor, a drawing target with its GL context, the
// events, the error box and the loader's file access. Each platform
// implements them in a folder of its own (x11/, win32/); the spine and its
// tests see only these interfaces. The names stay clear of the Win32 API's,
// several of which are macros.
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
  kMsgDisplayChange = 0x007E,
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

// The display's mode: read, switched for the show, put back after it.
class DisplayModeControl {
 public:
  virtual ~DisplayModeControl();
  // Reads and remembers the current mode of the display the show goes on.
  // False when there is no readable mode: nothing is then changed.
  virtual bool ReadCurrent() = 0;
  // Switches that display to width x height. False when refused or impossible.
  virtual bool SwitchTo(int width, int height) = 0;
  // Back to the remembered mode; nothing when the mode was never changed.
  virtual void Restore() = 0;
};

// What the show draws into, and the GL context drawing on it: a window of the
// show's own (wrapped by covered_target.h, which also blanks the other
// monitors), or a window handed over by another program. The platform picks
// one at start-up; the spine sees only this interface.
class DrawingTarget {
 public:
  virtual ~DrawingTarget();
  // Makes the target ready to draw on, with a GL framebuffer format as close
  // to `format` as the platform has. For a window of the show's own: a
  // borderless full-screen top-level window, class name and caption both
  // `title`, shown (painted once) and holding the keyboard. False when there
  // is nothing to draw on; a missing GL format is reported by HasPixelFormat.
  virtual bool Open(const std::string& title, int width, int height, const PixelFormatRequest& format) = 0;
  // True when a matching GL format was found and set on the target.
  virtual bool HasPixelFormat() = 0;
  virtual void ClientSize(int* width, int* height) = 0;
  // True when the target's size is another program's to change, so the scene
  // follows each new size; a full-screen window of the show's own keeps the
  // size it was made with.
  virtual bool FollowsSize() { return false; }
  // Marks the content as painted (the paint message's handling), where the
  // system keeps such a mark.
  virtual void MarkPainted() {}
  // The monitors changed under the show (one plugged in or out, a mode set
  // from outside): what the target keeps over them follows.
  virtual void DisplayChanged() {}
  // Keeps the system's own screensaver from starting while the show runs,
  // where refusing its start command in the window procedure is not enough.
  virtual void HoldOffScreenSaver(bool /*hold*/) {}
  // Takes the target down (its GL context first, if still there).
  virtual void Close() = 0;

  // Creates a GL context on the target and makes it current. False on failure.
  virtual bool CreateContext() = 0;
  // Makes no context current and deletes it; nothing when there is none.
  virtual void DestroyContext() = 0;
  // Shows the frame drawn (swaps the buffers).
  virtual void PresentFrame() = 0;
};

// The platform's events as the spine's messages.
class EventSource {
 public:
  virtual ~EventSource();
  // Takes one waiting message without waiting; false when none waits. A
  // request to end the process (a termination signal) arrives as kMsgQuit.
  virtual bool Next(RendererMessage* message) = 0;
  // What the system does with a message the show does not handle itself;
  // where the system does nothing, the answer is 0.
  virtual intptr_t DefaultHandling(const RendererMessage& /*message*/) { return 0; }
};

class RendererPlatform {
 public:
  virtual ~RendererPlatform();

  // Connects to the windowing system, first of all. False (with the reason)
  // when there is none: nothing can then be shown. Where the system is always
  // there (a windowed program on Windows), there is nothing to do.
  virtual bool Connect(std::string* /*why*/) { return true; }
  // Disconnects; the last call of a run.
  virtual void Disconnect() {}

  virtual DisplayModeControl& DisplayMode() = 0;
  // Hides (false) or shows (true) the pointer over the show; calls balance.
  virtual void SetCursorVisible(bool visible) = 0;
  virtual DrawingTarget& Target() = 0;
  virtual EventSource& Events() = 0;

  // The modal error box: caption "Error", one OK button, above the show.
  virtual void ShowErrorBox(const std::string& text) = 0;
  // File access and error reporting for the snapshot loader.
  virtual LoaderPlatform& Loader() = 0;
};
