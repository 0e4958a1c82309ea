#include "win32_renderer_platform.h"

#include "win32_display_mode.h"
#include "win32_gl_context.h"
#include "win32_loader_platform.h"
#include "win32_show_window.h"

struct Win32RendererPlatform::Parts {
  explicit Parts(HINSTANCE instance) : window(instance) {}
  Win32ShowWindow window;
  Win32DisplayMode displayMode;
  Win32GLContext gl;
  Win32LoaderPlatform loader;
};

Win32RendererPlatform::Win32RendererPlatform(void* instance, Table table)
    : parts_(std::make_unique<Parts>(static_cast<HINSTANCE>(instance))) {
  parts_->window.SetTable(table);
}

Win32RendererPlatform::~Win32RendererPlatform() = default;

// The window station is always there for a windowed program.
bool Win32RendererPlatform::OpenDisplay(std::string*) { return true; }

void Win32RendererPlatform::CloseDisplay() { parts_->window.Unregister(); }

bool Win32RendererPlatform::ReadCurrentDisplayMode() { return parts_->displayMode.ReadCurrent(); }

bool Win32RendererPlatform::ChangeDisplayMode(int width, int height) {
  return parts_->displayMode.Change(width, height);
}

void Win32RendererPlatform::RestoreDisplayMode() { parts_->displayMode.Restore(); }

void Win32RendererPlatform::ShowCursor(bool show) { ::ShowCursor(show ? TRUE : FALSE); }

void Win32RendererPlatform::ChoosePixelFormat(const PixelFormatRequest& request) { parts_->gl.Request(request); }

bool Win32RendererPlatform::SetupPixelFormat() { return parts_->gl.SetupPixelFormat(parts_->window.handle()); }

bool Win32RendererPlatform::CreateWindow(const std::string& title, int x, int y, int width, int height) {
  return parts_->window.Create(title, x, y, width, height);
}

void Win32RendererPlatform::ShowWindow() { parts_->window.Show(); }

void Win32RendererPlatform::SetFocus() { parts_->window.Focus(); }

void Win32RendererPlatform::GetClientSize(int* width, int* height) { parts_->window.ClientSize(width, height); }

void Win32RendererPlatform::DestroyWindow() {
  parts_->gl.Destroy(parts_->window.handle());  // the device context goes before its window
  parts_->window.Destroy();
}

void Win32RendererPlatform::ValidateWindow() { parts_->window.Validate(); }

intptr_t Win32RendererPlatform::DefaultWindowProc(const RendererMessage& message) {
  return parts_->window.DefaultProc(message);
}

bool Win32RendererPlatform::CreateGLContext() { return parts_->gl.Create(parts_->window.handle()); }

void Win32RendererPlatform::DestroyGLContext() { parts_->gl.Destroy(parts_->window.handle()); }

void Win32RendererPlatform::SwapBuffers() { parts_->gl.SwapBuffers(); }

// The window procedure refuses the system's screensaver command while the
// show runs; nothing else is needed.
void Win32RendererPlatform::SuspendScreenSaver(bool) {}

bool Win32RendererPlatform::PeekEvent(RendererMessage* message) { return parts_->window.Pump(message); }

// Windows ends a windowed program by closing its window, which arrives as a
// message; there is no separate request to watch.
bool Win32RendererPlatform::QuitRequested() { return false; }

void Win32RendererPlatform::ShowErrorBox(const std::string& text) { ShowWin32ErrorBox(text); }

LoaderPlatform& Win32RendererPlatform::Loader() { return parts_->loader; }
