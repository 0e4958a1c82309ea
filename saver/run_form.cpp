// The run form: the hidden controller of a show. It photographs the desktop,
// saves the snapshot, starts the renderer and the music, then watches the
// renderer and ends the program when the show is over.
#include "run_form.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "display_mode_guard.h"
#include "end_request.h"
#include "desktop_capture.h"
#include "forms/application.h"
#include "forms/form.h"
#include "forms/picture_box.h"
#include "forms/statements.h"
#include "forms/timer.h"
#include "bgm_player.h"
#include "music_settings.h"
#include "renderer_process.h"
#include "renderer_watch.h"
#include "show_music.h"
#include "snapshot_path.h"
#include "snapshot_writer.h"
#include "startup_dispatch.h"
#include "use_system_audio.h"
#include "wobblevista_b.h"

namespace {

using namespace Wobblevista_BGM;

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

class Wobblevista_S : public qgf::Form {
 public:
  Wobblevista_S() : Display(*this) {
    // The caption marks a running show from the moment the form exists.
    SetCaption("Wobblevista_Main");
    SetBorderStyle(qgf::BorderStyle::None);
    Display.SetBorderStyle(qgf::BorderStyle::None);
    Display.SetScaleMode(qgf::ScaleMode::Pixels);
    Display.SetAutoRedraw(true);

    Timer2.SetInterval(200);
    Timer2.SetEnabled(false);
    Timer2.onTick = [this] { Timer2_Timer(); };
    Timer1.SetInterval(1000);
    Timer1.SetEnabled(false);
    Timer1.onTick = [this] { Timer1_Timer(); };
    Timer3.SetInterval(500);
    Timer3.onTick = [this] { Timer3_Timer(); };
    Timer3.SetEnabled(true);
  }

  qgf::PictureBox Display;
  qgf::Timer Timer2;  // CD watch
  qgf::Timer Timer1;  // MP3 watch
  qgf::Timer Timer3;  // renderer watch

 protected:
  void OnLoad() override { Form_Load(); }
  void OnQueryUnload(int& cancel, qgf::UnloadMode mode) override { Form_QueryUnload(cancel, mode); }

 private:
  void Form_Load();
  void Form_QueryUnload(int& cancel, qgf::UnloadMode mode);
  void Timer1_Timer() { Mp3Watch(); }
  void Timer2_Timer() {
    CdWatch();
    Timer2.SetEnabled(CdKeepWatching);
  }
  void Timer3_Timer();
  void FillDisplay();
  static void DisplayLost();

  std::string RendererPath;
  qg::show::RendererProcess renderer_;
  qg::show::RendererWatch watch_;
  std::unique_ptr<qg::show::DisplayModeGuard> modeGuard_;
  qg::show::ShowMusic music_;
  qg::show::DesktopPicture desktop_;  // for Display, until the watch's first tick
  bool snapshotWritten_ = false;
  bool showOver_ = false;  // the watch saw the renderer's end
};

Wobblevista_S* g_form = nullptr;

// The display gone under the show (the X server ended, the connection
// lost): the toolkit and Xlib end the process with exit() then, never
// through the form. What must not outlive the show still goes, the music and
// the photograph of the user's screen; nothing is left to give back on a
// display that is gone, and nothing more runs.
void Wobblevista_S::DisplayLost() {
  if (!g_form) return;
  g_form->music_.Stop();
  if (g_form->snapshotWritten_) qg::show::RemoveSnapshotFile(qg::SnapshotFilePath());
  qgf::App::End(0);
}

void Wobblevista_S::Form_Load() {
  qg::show::WatchEndRequests();
  g_form = this;
  std::atexit(&Wobblevista_S::DisplayLost);

  // The desktop, every monitor, at the display's own size.
  qg::show::DesktopPicture desktop;
  qg::show::CaptureDesktop(desktop);

  // The snapshot, complete on disk before the renderer starts, written
  // from the captured pixels (the very pixels Display receives below).
  if (!desktop.empty() && qg::EnsureSnapshotFolder()) {
    snapshotWritten_ = qg::show::WriteSnapshotFile(desktop, qg::SnapshotFilePath());
  }

  // The mode before the show, so a renderer killed mid-show cannot leave
  // the display at 1024 x 768.
  modeGuard_ = qg::show::MakeDisplayModeGuard();
  modeGuard_->Remember();

  // The renderer, as a separate process, not waited for.
  RendererPath = qgf::App::Path() + "/" + qg::kRendererFileName;
  watch_.Started(renderer_.Start(RendererPath), NowMs());

  // The form and Display take the screen's size and Display keeps the
  // desktop as its image. Nothing outside this process sees Display, so the
  // picture goes in at the watch's first tick: where the toolkit must copy it
  // (GDI), that would take the processor from the renderer while it starts.
  Move(0, 0, qgf::App::ScreenWidth(), qgf::App::ScreenHeight());
  Display.Move(0, 0, ScaleWidth(), ScaleHeight());
  desktop_ = std::move(desktop);

  // The music chosen in the settings.
  UseSystemAudio();
  const qg::show::ShowMusic::Watches watches = music_.Start();
  if (watches.cd) Timer2.SetEnabled(true);
  if (watches.mp3) Timer1.SetEnabled(true);
}

void Wobblevista_S::FillDisplay() {
  if (desktop_.empty()) return;
  // Blue, green, red, unused is the image's 0x00RRGGBB read as one
  // little-endian word (the unused byte is never looked at), so Display holds
  // the captured pixels themselves, the ones the snapshot was written from.
  qgf::Image image;
  if (desktop_.stride == static_cast<size_t>(desktop_.width) * 4) {
    image = qgf::Image::Sharing(desktop_.width, desktop_.height,
                                std::shared_ptr<uint32_t>(desktop_.pixels, reinterpret_cast<uint32_t*>(desktop_.pixels.get())));
  } else {
    image = qgf::Image(desktop_.width, desktop_.height);
    for (int32_t y = 0; y < desktop_.height; ++y) {
      const uint8_t* src = desktop_.Row(y);
      uint32_t* dst = image.row(y);
      for (int32_t x = 0; x < desktop_.width; ++x, src += 4) {
        dst[x] = uint32_t(src[2]) << 16 | uint32_t(src[1]) << 8 | src[0];
      }
    }
  }
  desktop_ = qg::show::DesktopPicture{};
  Display.HoldPicture(qgf::Picture(std::move(image)));
  Display.Refresh();
}

void Wobblevista_S::Timer3_Timer() {
  FillDisplay();
  // Asked to end from outside (the session ends, a kill): the same path as
  // any other unload. The renderer runs on by itself, as it does then.
  if (qg::show::EndRequested()) {
    Timer3.SetEnabled(false);
    Unload();
    return;
  }
  const bool window = qgf::FindWindowByCaption("Wobblevista_VC") != 0;
  const bool running = renderer_.Running();  // also reaps an ended renderer
  switch (watch_.Tick(window, running, NowMs())) {
    case qg::show::RendererWatch::Verdict::kRunning:
      return;
    case qg::show::RendererWatch::Verdict::kStartHung:
      renderer_.Kill();
      break;
    case qg::show::RendererWatch::Verdict::kEnded:
      break;
  }
  showOver_ = true;
  Timer3.SetEnabled(false);
  Unload();
}

void Wobblevista_S::Form_QueryUnload(int& cancel, qgf::UnloadMode mode) {
  (void)cancel;
  (void)mode;
  // The music. The watch timers go off first; an opened CD device is
  // stopped and closed even when its watch ended on an error, which would
  // otherwise leave a playing disc running after the saver has gone.
  Timer2.SetEnabled(false);
  Timer1.SetEnabled(false);
  music_.Stop();
  // The cursor counter back, for "S" only.
  if (Wobblevista_B::ModeLetter() == 'S') {
    Wobblevista_B::CursorCount = qgf::ShowCursor(Wobblevista_B::CursorCount);
  }
  // A renderer that has ended but left the display switched (killed before
  // its teardown) gets its mode put back. One that still runs is left to
  // restore its own; after its window has gone it is only moments from exiting.
  const bool ended = showOver_ ? renderer_.WaitEnded(1000) : !renderer_.Running();
  if (renderer_.Started() && ended && modeGuard_) modeGuard_->RestoreIfChanged();
  // The snapshot holds the user's screen and nothing reads it any more.
  if (snapshotWritten_) qg::show::RemoveSnapshotFile(qg::SnapshotFilePath());
  // End at once.
  qgf::App::End(0);
}

}  // namespace

void LoadRunForm() {
  static Wobblevista_S* form = new Wobblevista_S;
  form->Load();
}
