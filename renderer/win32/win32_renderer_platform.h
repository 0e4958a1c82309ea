// The renderer's platform on Windows: USER windows and messages, the GDI
// display-mode switch, WGL, the message box and the file mapping. This
// header stays free of windows.h, whose names clash with the spine's.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "renderer_platform.h"

class Win32RendererPlatform final : public RendererPlatform {
 public:
  using Table = intptr_t (*)(const RendererMessage&);

  // `instance` is the program's HINSTANCE; `table` is the window procedure
  // every message of the show window is handed to.
  Win32RendererPlatform(void* instance, Table table);
  ~Win32RendererPlatform() override;

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
  LoaderPlatform& Loader() override;

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};
