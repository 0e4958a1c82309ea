#include "startup_dispatch.h"

#include <exception>

#include "number_text.h"
#include "path_helpers.h"

namespace qg {

const char kRunFormCaption[] = "Wobblevista_Main";
const char kSettingsDialogCaption[] = "<Quiverglide>";
const char kRendererFileName[] = "Quiverglide.dll";
const char kRendererMissingText[] = "Quiverglide.dll が同じﾌｫﾙﾀﾞに見つかりません！";

namespace {

// Continue-on-error: a failing step is skipped and the next one runs.
template <class F>
void Step(F&& f) {
  try {
    f();
  } catch (...) {
  }
}

}  // namespace

char ModeLetter(const std::string& command_line) {
  if (command_line.size() < 2) return 0;
  char c = command_line[1];
  if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return c;
}

void RunStartup(StartupServices& s, std::int32_t& cursor_count) {
  // 1. The mode letter.
  std::string command;
  Step([&] { command = s.CommandLine(); });
  const char mode = ModeLetter(command);

  // 2. Another instance's show or settings dialog: end silently. The show
  // and the settings take the session's mark in the same step as they look
  // for it, so of any number of starts at one moment exactly one goes on;
  // the other starts only look. The windows still count beside the mark.
  const bool claims = mode == 'S' || mode == 'C' || command.empty();
  bool running = false;
  Step([&] { running = claims ? !s.ClaimInstance() : s.InstanceClaimed(); });
  Step([&] {
    running = running || s.TopLevelWindowExists(kRunFormCaption) || s.TopLevelWindowExists(kSettingsDialogCaption);
  });
  if (running) {
    s.EndProgram();
    return;
  }
  // The session is this instance's now: a snapshot still there is a
  // photograph of the user's screen that nothing will read.
  if (claims) Step([&] { s.RemoveLeftSnapshot(); });

  // 3. Preview: the preview form sizes itself to the host window's pixels.
  if (mode == 'P') {
    std::uint32_t host = 0;
    Step([&] { host = ReadWindowHandle(command.size() > 3 ? command.substr(3) : std::string()); });
    Step([&] { s.LoadPreviewForm(host); });
    return;
  }

  // 4. Every other mode prepares the show.
  Step([&] { s.MakeSnapshotFolder(); });
  Step([&] { s.LoadSettings(); });

  // 5. The renderer must lie beside the program.
  bool renderer = false;
  Step([&] { renderer = s.FileExists(JoinPath(s.ProgramFolder(), kRendererFileName)); });
  if (!renderer) {
    Step([&] { s.MessageBox(kRendererMissingText, s.Title()); });
    s.EndProgram();
    return;
  }

  // 6. Settings.
  if (mode == 'C') {
    Step([&] { s.ShowSettingsDialogModal(); });
    s.EndProgram();
    return;
  }

  // 7. An unknown switch ends here.
  if (mode != 'S' && !command.empty()) {
    s.EndProgram();
    return;
  }

  // 8. The show hides the cursor; an empty command line leaves it visible.
  if (mode == 'S') Step([&] { cursor_count = s.ShowCursor(0); });

  // 9. The run form does the rest from its load handler.
  Step([&] { s.LoadRunForm(); });
}

}  // namespace qg
