#include "hosted_show.h"

#include <X11/Xlib.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

#include "bgm_player.h"
#include "show/x11/daemon_screenshot.h"
#include "show/x11/desktop_capture_x11.h"
#include "end_request.h"
#include "hosted_window.h"
#include "music_settings.h"
#include "renderer_process.h"
#include "show/linux/session_music_lock.h"
#include "file_system.h"
#include "settings/settings_module.h"
#include "show_music.h"
#include "snapshot_path.h"
#include "snapshot_writer.h"
#include "startup_dispatch.h"
#include "use_system_audio.h"
#include "show/x11/x_error_trap.h"

namespace qg::show {

namespace {

using Clock = std::chrono::steady_clock;

bool WindowExists(Display* dpy, Window window) {
  XErrorTrap trap(dpy);
  XWindowAttributes attributes;
  return XGetWindowAttributes(dpy, window, &attributes) && !trap.Failed();
}

std::string DaemonSettingsText() {
  const char* home = std::getenv("HOME");
  if (!home) return {};
  std::ifstream in(std::string(home) + "/.xscreensaver");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The desktop as the daemon saw it before blanking, else the screen as it is
// now; nothing when the user keeps the desktop out of screensavers.
DesktopPicture DesktopFor(Display* dpy, Window window) {
  DesktopPicture picture;
  if (!DesktopImagesAllowed(DaemonSettingsText())) return picture;
  if (!ReadDaemonScreenshot(dpy, window, picture)) CaptureDesktopX11(picture);
  return picture;
}

}  // namespace

int RunHostedShow(const HostedStart& start) {
  if (start.kind == HostedStart::Kind::kNone || start.kind == HostedStart::Kind::kNoWindow) return 0;
  WatchEndRequests();
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) return 1;
  const Window window = start.window ? static_cast<Window>(start.window) : DefaultRootWindow(dpy);
  if (!WindowExists(dpy, window)) {
    XCloseDisplay(dpy);
    return 0;
  }
  // From here on this process and the renderer it starts agree on the window
  // and on the snapshot kept for it.
  char id[32];
  std::snprintf(id, sizeof id, "0x%lx", static_cast<unsigned long>(window));
  setenv(kHostedWindowEnv, id, 1);
  setenv(kHostPidEnv, std::to_string(getpid()).c_str(), 1);

  // A picture from an earlier run for a window of the same id must never
  // stand in for this one's, which may be none.
  RemoveSnapshotFile(SnapshotFilePath());
  bool snapshotWritten = false;
  {
    const DesktopPicture desktop = DesktopFor(dpy, window);
    if (!desktop.empty() && EnsureSnapshotFolder())
      snapshotWritten = WriteSnapshotFile(desktop, SnapshotFilePath());
  }
  XCloseDisplay(dpy);

  RendererProcess renderer;
  // The renderer lies beside this program.
  renderer.Start(qg::DefaultFileSystem().ProgramFolder() + "/" + kRendererFileName);

  // The music of the settings, by the first host of the session only.
  SessionMusicLock musicLock;
  ShowMusic music;
  ShowMusic::Watches watches;
  bool playing = false;
  if (start.kind == HostedStart::Kind::kShow && renderer.Started() && EnsureSnapshotFolder() &&
      musicLock.TryTake(SnapshotFolder() + "/music.lock")) {
    Wobblevista_B::LoadSettings();
    Wobblevista_BGM::UseSystemAudio();
    watches = music.Start();
    playing = true;
  }

  // The show runs until the daemon ends it or the renderer ends by itself
  // (its window destroyed); the music's watches tick meanwhile.
  auto nextCd = Clock::now(), nextMp3 = Clock::now() + std::chrono::seconds(1);
  while (renderer.Running() && !EndRequested()) {
    const auto now = Clock::now();
    if (watches.cd && now >= nextCd) {
      Wobblevista_BGM::CdWatch();
      watches.cd = Wobblevista_BGM::CdKeepWatching;
      nextCd = now + std::chrono::milliseconds(200);
    }
    if (watches.mp3 && now >= nextMp3) {
      Wobblevista_BGM::Mp3Watch();
      nextMp3 = now + std::chrono::seconds(1);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }

  // The end, passed on: the renderer has well under a second to go.
  if (renderer.Running()) {
    kill(static_cast<pid_t>(renderer.Id()), SIGTERM);
    if (!renderer.WaitEnded(600)) renderer.Kill();
  }
  if (playing) music.Stop();
  if (snapshotWritten) RemoveSnapshotFile(SnapshotFilePath());
  return 0;
}

}  // namespace qg::show
