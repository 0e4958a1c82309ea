// The start-up procedure's decisions: the instance markers and the session's
// instance mark, the mode letter and the branch per command line. The
// services it calls are an interface so that the same order of steps runs on
// every platform and under test.
#pragma once

#include <cstdint>
#include <string>

namespace qg {

extern const char kRunFormCaption[];        // "Wobblevista_Main"
extern const char kSettingsDialogCaption[];  // "<Quiverglide>"
extern const char kRendererFileName[];       // "Quiverglide.dll"
extern const char kRendererMissingText[];    // the one message of start-up

class StartupServices {
 public:
  virtual ~StartupServices() = default;
  virtual std::string CommandLine() = 0;
  virtual bool TopLevelWindowExists(const std::string& caption) = 0;
  // Takes the session's instance mark in one step, for the program's life:
  // false when another instance holds it.
  virtual bool ClaimInstance() = 0;
  // Whether another instance holds the mark; looking never takes it.
  virtual bool InstanceClaimed() = 0;
  // Removes the snapshot an earlier run could not (killed, a power cut).
  virtual void RemoveLeftSnapshot() = 0;
  // Ends the program at once. Under test it may return; start-up then stops.
  virtual void EndProgram() = 0;
  virtual void LoadPreviewForm(std::uint32_t host) = 0;
  virtual void MakeSnapshotFolder() = 0;
  virtual void LoadSettings() = 0;
  virtual std::string ProgramFolder() = 0;
  virtual bool FileExists(const std::string& path) = 0;
  virtual std::string Title() = 0;
  virtual void MessageBox(const std::string& text, const std::string& caption) = 0;
  virtual void ShowSettingsDialogModal() = 0;
  virtual int ShowCursor(int flag) = 0;
  virtual void LoadRunForm() = 0;
};

// Character 2 of the upper-cased command line (ASCII letters only are
// upper-cased), or 0 when the line is shorter.
char ModeLetter(const std::string& command_line);

// Runs start-up. cursor_count receives the counter of the hide at "S".
void RunStartup(StartupServices& services, std::int32_t& cursor_count);

}  // namespace qg
