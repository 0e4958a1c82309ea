// The renderer's platform on X11: Xlib window, XRandR display mode, XFixes
// cursor, the X screensaver extension, GLX, the renderer's own message box and
// the POSIX snapshot access, put together behind RendererPlatform.
#pragma once

#include <X11/Xlib.h>
#include <memory>
#include <string>

#include "posix_loader_platform.h"
#include "renderer_platform.h"
#include "x11_display_mode.h"
#include "x11_event_translation.h"
#include "x11_gl_context.h"
#include "x11_show_window.h"

class X11RendererPlatform final : public RendererPlatform {
 public:
  X11RendererPlatform();
  ~X11RendererPlatform() override;

  bool OpenDisplay(std::string* why) override;
  void CloseDisplay() override;
  bool ReadCurrentDisplayMode() override;
  bool ChangeDisplayMode(int width, int height) override;
  void RestoreDisplayMode() override;
  void ShowCursor(bool show) override;
  void ChoosePixelFormat(const PixelFormatRequest& request) override;
  bool SetupPixelFormat() override;
  bool CreateWindow(const std::string& title, int x, int y, int width, int height) override;
  void ShowWindow() override;
  void SetFocus() override;
  void GetClientSize(int* width, int* height) override;
  void DestroyWindow() override;
  void ValidateWindow() override;
  intptr_t DefaultWindowProc(const RendererMessage& message) override;
  bool CreateGLContext() override;
  void DestroyGLContext() override;
  void SwapBuffers() override;
  void SuspendScreenSaver(bool suspend) override;
  bool PeekEvent(RendererMessage* message) override;
  bool QuitRequested() override;
  void ShowErrorBox(const std::string& text) override;
  LoaderPlatform& Loader() override { return loader_; }

 private:
  Display* display_ = nullptr;
  X11DisplayMode mode_;
  X11GLContext gl_;
  X11ShowWindow window_;
  X11EventContext events_;
  PosixLoaderPlatform loader_;
  bool visualChosen_ = false;
  int cursorHides_ = 0;  // outstanding hides, given back on disconnect anyway
  bool screenSaverSuspended_ = false;
};
