// The snapshot loader's file access on Windows: a read-only mapping of the
// whole file, and the "Error" message box owned by the focused window.
#pragma once

#include "snapshot_loader.h"

class Win32LoaderPlatform final : public LoaderPlatform {
 public:
  bool CanOpenForReading(const std::string& path) override;
  std::unique_ptr<MappedFile> MapWholeFile(const std::string& path) override;
  void ShowErrorBox(const std::string& text) override;
};

// The modal box itself, shared with the renderer platform.
void ShowWin32ErrorBox(const std::string& text);
