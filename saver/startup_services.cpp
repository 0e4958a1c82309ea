#include "startup_services.h"

#include "forms/application.h"
#include "forms/statements.h"
#include "preview_form.h"
#include "run_form.h"
#include "settings/settings_dialog.h"
#include "settings/settings_module.h"
#include "snapshot_path.h"
#include "wobblevista_b.h"

std::string HostStartupServices::CommandLine() { return qgf::App::Command(); }

bool HostStartupServices::TopLevelWindowExists(const std::string& caption) {
  return qgf::FindWindowByCaption(caption) != 0;
}

void HostStartupServices::EndProgram() { qgf::App::End(0); }

void HostStartupServices::LoadPreviewForm(std::uint32_t host) { ::LoadPreviewForm(qgf::WindowId(host)); }

// The renderer reads the snapshot from the per-user private folder.
void HostStartupServices::MakeSnapshotFolder() { qg::EnsureSnapshotFolder(); }

void HostStartupServices::LoadSettings() { Wobblevista_B::LoadSettings(); }

std::string HostStartupServices::ProgramFolder() { return qgf::App::Path(); }

bool HostStartupServices::FileExists(const std::string& path) { return Wobblevista_B::FileExists(path); }

std::string HostStartupServices::Title() { return qgf::App::Title(); }

void HostStartupServices::MessageBox(const std::string& text, const std::string& caption) {
  qgf::MsgBox(text, caption);
}

void HostStartupServices::ShowSettingsDialogModal() { ::ShowSettingsDialogModal(); }

int HostStartupServices::ShowCursor(int flag) { return qgf::ShowCursor(flag); }

void HostStartupServices::LoadRunForm() { ::LoadRunForm(); }
