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

  DisplayModeControl& DisplayMode() override;
  void SetCursorVisible(bool visible) override;
  DrawingTarget& Target() override;
  EventSource& Events() override;
  void ShowErrorBox(const std::string& text) override;
  LoaderPlatform& Loader() override;

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};
