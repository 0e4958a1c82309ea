#include "renderer_app.h"

#include <cstdlib>
#include <ctime>
#include <deque>

#include "display_settings.h"
#include "scene.h"
#include "snapshot_loader.h"

RendererPlatform::~RendererPlatform() = default;
DisplayModeControl::~DisplayModeControl() = default;
DrawingTarget::~DrawingTarget() = default;
EventSource::~EventSource() = default;

namespace {

// The renderer-wide state of the spine, one instance, on the one thread.
struct SpineState {
  RendererPlatform* platform = nullptr;
  bool connected = false;
  bool window = false;
  bool glContext = false;
  bool cursorHidden = false;
  bool screenSaverSuspended = false;
  bool modeSwitchAttempted = false;
  int clientWidth = 0;
  int clientHeight = 0;
  std::deque<RendererMessage> queue;
  RendererSpineStats stats;
};

SpineState g_spine;

// Moves every message the platform has waiting into our queue, behind what
// is already there.
void PumpPlatformEvents() {
  RendererMessage message;
  while (g_spine.platform->Events().Next(&message)) g_spine.queue.push_back(message);
}

}  // namespace

const RendererSpineStats& SpineStats() { return g_spine.stats; }

void PostRendererMessage(const RendererMessage& message) { g_spine.queue.push_back(message); }

void PostQuitMessage(int exitCode) {
  RendererMessage quit;
  quit.message = kMsgQuit;
  quit.wParam = static_cast<uintptr_t>(exitCode);
  PostRendererMessage(quit);
}

int RendererMain(RendererPlatform& platform) {
  g_spine = SpineState{};
  g_spine.platform = &platform;
  DisplaySettings.fullScreen = true;

  if (!CreateRendererWindow(DisplaySettings.windowName, DisplaySettings.width, DisplaySettings.height,
                            kStyleChoose, DisplaySettings.fullScreen)) {
    // Leave the display and the cursor as they were found.
    if (g_spine.modeSwitchAttempted) platform.DisplayMode().Restore();
    if (g_spine.cursorHidden) platform.SetCursorVisible(true);
    if (g_spine.connected) platform.Disconnect();
    return kExitNoWindow;
  }
  InitScene();
  const int code = RunMessageLoop();
  platform.Disconnect();
  g_spine.connected = false;
  return code;
}

bool CreateRendererWindow(const std::string& title, int width, int height, int style, bool fullScreen) {
  RendererPlatform& platform = *g_spine.platform;
  std::string why;
  if (!platform.Connect(&why)) return false;
  g_spine.connected = true;

  if (fullScreen && style == kStyleChoose) {
    SwitchDisplayMode();
    platform.SetCursorVisible(false);
    g_spine.cursorHidden = true;
  }

  // Some platforms fix the framebuffer format with the window, so it goes
  // with the window's creation and is only reported on in SetupPixelFormat.
  PixelFormatRequest request;
  request.colourBits = DisplaySettings.colourBits;
  request.depthBits = DisplaySettings.colourBits;
  if (!platform.Target().Open(title, width, height, request)) return false;
  g_spine.window = true;
  g_spine.stats.hasWindow = true;
  platform.Target().HoldOffScreenSaver(true);
  g_spine.screenSaverSuspended = true;
  return true;
}

void SwitchDisplayMode() {
  RendererPlatform& platform = *g_spine.platform;
  if (!platform.DisplayMode().ReadCurrent()) return;  // the show runs at the desktop's size
  g_spine.modeSwitchAttempted = true;
  if (!platform.DisplayMode().SwitchTo(DisplaySettings.width, DisplaySettings.height)) PostQuitMessage(0);
}

void InitScene() {
  RendererPlatform& platform = *g_spine.platform;
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  platform.Target().ClientSize(&g_spine.clientWidth, &g_spine.clientHeight);
  CreateGLContext(g_spine.clientWidth, g_spine.clientHeight);
  // Without a context the show is already ending (a quit is waiting), and GL
  // calls would have nothing to act on.
  if (g_spine.glContext) LoadTextures(platform.Loader());
  InitAnimation();
  if (g_spine.glContext) SetSceneGlState();
}

void CreateGLContext(int width, int height) {
  RendererPlatform& platform = *g_spine.platform;
  if (!SetupPixelFormat()) PostQuitMessage(0);
  g_spine.glContext = platform.Target().CreateContext();
  g_spine.stats.hasGLContext = g_spine.glContext;
  if (g_spine.glContext) ResizeScene(width, height);
}

bool SetupPixelFormat() { return g_spine.platform->Target().HasPixelFormat(); }

int RunMessageLoop() {
  RendererPlatform& platform = *g_spine.platform;
  int code = 0;
  for (;;) {
    PumpPlatformEvents();
    if (!g_spine.queue.empty()) {
      const RendererMessage message = g_spine.queue.front();
      g_spine.queue.pop_front();
      if (message.message == kMsgQuit) {
        code = static_cast<int>(message.wParam);
        break;
      }
      ++g_spine.stats.messagesDispatched;
      RendererWindowProc(message);
      continue;  // waiting messages always go before drawing
    }
    TickClock();
    DrawFrame([&platform] { platform.Target().PresentFrame(); });
    ++g_spine.stats.framesDrawn;
  }
  DestroyRendererWindow();
  DestroyAnimation();
  return code;
}

intptr_t RendererWindowProc(const RendererMessage& message) {
  RendererPlatform& platform = *g_spine.platform;
  switch (message.message) {
    case kMsgClose:
      PostQuitMessage(0);
      return 0;
    case kMsgKeyDown:
      if (message.wParam == kKeyEscape) PostQuitMessage(0);
      return 0;  // other keys are swallowed, never passed on
    case kMsgSysCommand:
      if (message.wParam == kSysCommandScreenSave) return 0;  // no screensaver over the show
      return platform.Events().DefaultHandling(message);
    case kMsgSize:
      // Full screen, the viewport was set at start-up; a handed-over window
      // may be resized by its owner.
      if (g_spine.glContext && platform.Target().FollowsSize())
        ResizeScene(static_cast<int>(message.lParam & 0xFFFF), static_cast<int>((message.lParam >> 16) & 0xFFFF));
      return 0;
    case kMsgPaint:
      platform.Target().MarkPainted();  // all drawing happens in the loop
      return 0;
    case kMsgDisplayChange:
      platform.Target().DisplayChanged();
      return 0;
    default:
      return platform.Events().DefaultHandling(message);
  }
}

void DestroyRendererWindow() {
  RendererPlatform& platform = *g_spine.platform;
  if (g_spine.glContext) {
    platform.Target().DestroyContext();
    g_spine.glContext = false;
  }
  if (g_spine.window) {
    platform.Target().Close();
    g_spine.window = false;
  }
  if (g_spine.modeSwitchAttempted) {
    platform.DisplayMode().Restore();
    g_spine.modeSwitchAttempted = false;
  }
  if (g_spine.cursorHidden) {
    platform.SetCursorVisible(true);
    g_spine.cursorHidden = false;
  }
  if (g_spine.screenSaverSuspended) {
    platform.Target().HoldOffScreenSaver(false);
    g_spine.screenSaverSuspended = false;
  }
}
