#include "win32_renderer_platform.h"

#include "win32_monitor_covers.h"
#include "win32_display_mode.h"
#include "win32_gl_context.h"
#include "win32_loader_platform.h"
#include "win32_show_window.h"

namespace {

// The show's own window with its device context's pixel format and WGL
// context. The window procedure refuses the system's screensaver command
// while the show runs, so nothing more holds the screensaver off.
class Win32WindowTarget final : public DrawingTarget {
 public:
  explicit Win32WindowTarget(HINSTANCE instance) : window_(instance) {}
  Win32ShowWindow& window() { return window_; }

  bool Open(const std::string& title, int width, int height, const PixelFormatRequest& format) override {
    gl_.Request(format);
    if (!window_.Create(title, 0, 0, width, height)) {
      window_.Unregister();
      return false;
    }
    window_.Show();
    window_.Focus();
    pixelFormat_ = gl_.SetupPixelFormat(window_.handle());
    return true;
  }
  bool HasPixelFormat() override { return pixelFormat_; }
  void ClientSize(int* width, int* height) override { window_.ClientSize(width, height); }
  void MarkPainted() override { window_.Validate(); }
  void Close() override {
    gl_.Destroy(window_.handle());  // the device context goes before its window
    window_.Destroy();
    window_.Unregister();
  }
  bool CreateContext() override { return gl_.Create(window_.handle()); }
  void DestroyContext() override { gl_.Destroy(window_.handle()); }
  void PresentFrame() override { gl_.Present(); }

 private:
  Win32ShowWindow window_;
  Win32GLContext gl_;
  bool pixelFormat_ = false;
};

// The thread's messages: dispatched to the window procedure as they are
// taken, the quit message handed back.
class Win32EventSource final : public EventSource {
 public:
  explicit Win32EventSource(Win32ShowWindow& window) : window_(window) {}
  bool Next(RendererMessage* message) override { return window_.Pump(message); }
  intptr_t DefaultHandling(const RendererMessage& message) override { return window_.DefaultProc(message); }

 private:
  Win32ShowWindow& window_;
};

}  // namespace

struct Win32RendererPlatform::Parts {
  explicit Parts(HINSTANCE instance)
      : target(instance), covers(instance), covered(target, covers), events(target.window()) {}
  Win32WindowTarget target;
  Win32MonitorCovers covers;
  CoveredTarget covered;  // the show on the primary monitor, the others black
  Win32EventSource events;
  Win32DisplayMode displayMode;
  Win32LoaderPlatform loader;
};

Win32RendererPlatform::Win32RendererPlatform(void* instance, Table table)
    : parts_(std::make_unique<Parts>(static_cast<HINSTANCE>(instance))) {
  parts_->target.window().SetTable(table);
}

Win32RendererPlatform::~Win32RendererPlatform() = default;

DisplayModeControl& Win32RendererPlatform::DisplayMode() { return parts_->displayMode; }

void Win32RendererPlatform::SetCursorVisible(bool visible) { ShowCursor(visible ? TRUE : FALSE); }

DrawingTarget& Win32RendererPlatform::Target() { return parts_->covered; }

EventSource& Win32RendererPlatform::Events() { return parts_->events; }

void Win32RendererPlatform::ShowErrorBox(const std::string& text) { ShowWin32ErrorBox(text); }

LoaderPlatform& Win32RendererPlatform::Loader() { return parts_->loader; }
