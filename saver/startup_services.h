// The start-up steps' services on this platform: window search and the
// session's instance mark, the form layer, the snapshot folder, the settings
// and the three forms.
#pragma once

#include "startup_dispatch.h"

class HostStartupServices : public qg::StartupServices {
 public:
  std::string CommandLine() override;
  bool TopLevelWindowExists(const std::string& caption) override;
  bool ClaimInstance() override;
  bool InstanceClaimed() override;
  void RemoveLeftSnapshot() override;
  void EndProgram() override;
  void LoadPreviewForm(std::uint32_t host) override;
  void MakeSnapshotFolder() override;
  void LoadSettings() override;
  std::string ProgramFolder() override;
  bool FileExists(const std::string& path) override;
  std::string Title() override;
  void MessageBox(const std::string& text, const std::string& caption) override;
  void ShowSettingsDialogModal() override;
  int ShowCursor(int flag) override;
  void LoadRunForm() override;
};
