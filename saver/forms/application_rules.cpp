// The application services that need no toolkit: the command line, the
// program's folder and title, the event loop's bounds and the immediate end.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "file_system.h"
#include "forms/application.h"
#include "forms/toolkit_calls.h"

namespace qgf {
namespace App {
namespace {

std::string g_command;
bool g_running = false;
bool g_in_x11_window = false;

}  // namespace

std::string CommandOf(int argc, char** argv) {
  std::string command;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) command += ' ';
    command += argv[i];
  }
  return command;
}

void Init(int& argc, char** argv, DesktopScale scale, bool in_x11_window) {
  g_command = CommandOf(argc, argv);
  g_in_x11_window = in_x11_window;
  Toolkit::Init(argc, argv, scale);
}

bool InX11Window() { return g_in_x11_window; }

int Run() {
  if (LoadedFormCount() == 0) return 0;
  g_running = true;
  const int rc = Toolkit::RunEventLoop();
  g_running = false;
  return rc;
}

bool Running() { return g_running; }

void End(int exit_code) {
  std::fflush(nullptr);
  // No unload handlers, no toolkit shutdown and no clean-up of static
  // objects: the process ends here.
  std::_Exit(exit_code);
}

std::string Command() { return g_command; }
std::string Path() { return qg::DefaultFileSystem().ProgramFolder(); }
std::string Title() { return "Quiverglide"; }

}  // namespace App

int TwipsPerPixelAt(double dpi) {
  if (!(dpi > 0)) return 15;
  const int t = int(std::lround(1440.0 / dpi));
  return t > 0 ? t : 15;
}

}  // namespace qgf
