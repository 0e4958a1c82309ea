// The start-up procedure's decisions: the instance markers, the mode letter
// and the branch per command line. The services it calls are an interface so
// that the same order of steps runs on every platform and under test.
#pragma once

#include <cstdint>
#include <string>

namespace qg {

extern const char kRunFormCaption[];        // "Wobblevista_Main"
extern const char kSettingsDialogCaption[];  // "<Quiverglide>"
extern const char kRendererFileName[];       // "Quiverglide.dll"
extern const char kRendererMissingText[];    // the one message of start-up

struct HostRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

class StartupServices {
 public:
  virtual ~StartupServices() = default;
  virtual std::string CommandLine() = 0;
  virtual bool TopLevelWindowExists(const std::string& caption) = 0;
  // Ends the program at once. Under test it may return; start-up then stops.
  virtual void EndProgram() = 0;
  virtual bool HostWindowRect(std::uint32_t window, HostRect& rect) = 0;
  virtual int TwipsPerPixelX() = 0;
  virtual int TwipsPerPixelY() = 0;
  virtual void LoadPreviewForm(std::uint32_t host, std::int16_t width_twips, std::int16_t height_twips) = 0;
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

// Twips of a preview dimension held as a 16-bit number; 0 when it does not fit.
std::int16_t PreviewTwips(int pixels, int twips_per_pixel);

// Runs start-up. cursor_count receives the counter of the hide at "S".
void RunStartup(StartupServices& services, std::int32_t& cursor_count);

}  // namespace qg
