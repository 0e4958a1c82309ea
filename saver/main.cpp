// Quiverglide.scr: the screensaver host.
#include "forms/application.h"
#include "startup_dispatch.h"
#include "wobblevista_b.h"

#ifndef _WIN32
#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "x11/hosted_show.h"
#endif

int main(int argc, char** argv) {
#ifndef _WIN32
  // A write to an X server that has gone is an error the show ends on, not a
  // signal that kills the program before the snapshot is removed.
  std::signal(SIGPIPE, SIG_IGN);
  // Started by the X11 screensaver daemon: its own show, before the forms.
  const qg::show::HostedStart hosted =
      qg::show::ReadHostedStart(std::vector<std::string>(argv + 1, argv + argc), std::getenv("XSCREENSAVER_WINDOW"));
  if (hosted.kind != qg::show::HostedStart::Kind::kNone) return qg::show::RunHostedShow(hosted);
#endif
  // Only the settings dialog takes the desktop's scale: the show's window is
  // the screen and the preview fills the window it is given, in device pixels.
  // The preview lives inside the X window it is given, on a Wayland desktop too.
  const char mode = qg::ModeLetter(qgf::App::CommandOf(argc, argv));
  qgf::App::Init(argc, argv, mode == 'C' ? qgf::App::DesktopScale::Follow : qgf::App::DesktopScale::DevicePixels,
                 mode == 'P');
  Wobblevista_B::Main();
  // The forms carry on from here; the program ends when none is loaded, or
  // earlier when a form ends it.
  qgf::App::End(qgf::App::Run());
}
