#include "startup_services.h"

#include "desktop_session.h"
#include "forms/application.h"
#include "forms/statements.h"
#include "preview_form.h"
#include "run_form.h"
#include "settings/settings_dialog.h"
#include "session_marker.h"
#include "settings/settings_module.h"
#include "snapshot_path.h"
#include "snapshot_writer.h"
#include "wobblevista_b.h"

namespace {

constexpr const char kInstanceMark[] = "instance";

// Held for the program's life: the system lets it go with the process,
// however that ends, and no program this one starts inherits it.
qg::SessionMarker& InstanceMark() {
  static qg::SessionMarker mark;
  return mark;
}

}  // namespace

std::string HostStartupServices::CommandLine() { return qgf::App::Command(); }

bool HostStartupServices::TopLevelWindowExists(const std::string& caption) {
  return qgf::FindWindowByCaption(caption) != 0;
}

bool HostStartupServices::ClaimInstance() {
  const std::string session = qg::DesktopSession();
  // A mark that cannot be kept at all (no runtime folder) must not keep the
  // saver from running; the window search still stands then.
  return InstanceMark().Claim(session, kInstanceMark) || !qg::SessionMarkerHeld(session, kInstanceMark);
}

bool HostStartupServices::InstanceClaimed() { return qg::SessionMarkerHeld(qg::DesktopSession(), kInstanceMark); }

void HostStartupServices::RemoveLeftSnapshot() { qg::show::RemoveSnapshotFile(qg::SnapshotFilePath()); }

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
