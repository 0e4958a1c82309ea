#include "startup_services.h"

#include "forms/application.h"
#include "forms/statements.h"
#include "preview_form.h"
#include "run_form.h"
#include "settings/settings_dialog.h"
#include "snapshot_path.h"
#include "wobblevista_b.h"

std::string HostStartupServices::CommandLine() { return qgf::App::Command(); }

bool HostStartupServices::TopLevelWindowExists(const std::string& caption) {
  return qgf::FindWindowByCaption(caption) != 0;
}

void HostStartupServices::EndProgram() { qgf::App::End(0); }

bool HostStartupServices::HostWindowRect(std::uint32_t window, qg::HostRect& rect) {
  qgf::PixelRect r;
  if (!qgf::WindowRect(qgf::WindowId(window), r)) return false;
  rect = qg::HostRect{r.left, r.top, r.right, r.bottom};
  return true;
}

int HostStartupServices::TwipsPerPixelX() { return qgf::App::TwipsPerPixelX(); }
int HostStartupServices::TwipsPerPixelY() { return qgf::App::TwipsPerPixelY(); }

void HostStartupServices::LoadPreviewForm(std::uint32_t host, std::int16_t width_twips, std::int16_t height_twips) {
  ::LoadPreviewForm(qgf::WindowId(host), width_twips, height_twips);
}

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
