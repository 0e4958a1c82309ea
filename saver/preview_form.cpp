// The preview form: a still picture inside the system's preview box. It
// lives exactly as long as its host window: it ends at once when the given
// window does not exist, and within a second of the host being destroyed.
#include "preview_form.h"

#include <cstdint>

#include "forms/application.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/timer.h"
#include "window_probe.h"

namespace {

// The pictures ship inside the program (the form's designed pictures).
constexpr const char* kBackgroundPicture = ":/show/preview_background.jpg";
constexpr const char* kPreviewPicture = ":/show/preview_image.jpg";
// How often the host window is looked for; well inside the one second allowed.
constexpr int kHostCheckMs = 250;

class Wobblevista_R : public qgf::Form {
 public:
  Wobblevista_R() : Img_Prev(*this) {
    SetCaption("Preview Window");
    SetBorderStyle(qgf::BorderStyle::None);
    SetBackColour(qgf::Colour::Rgb(0, 0, 0));
    SetBackPicture(qgf::LoadPicture(kBackgroundPicture));
    SetScaleMode(qgf::ScaleMode::Pixels);
    Img_Prev.SetPicture(qgf::LoadPicture(kPreviewPicture));
    Img_Prev.SetStretch(true);
    Img_Prev.Move(0, 0, 152, 112);
    HostWatch.SetInterval(kHostCheckMs);
    HostWatch.onTick = [this] { HostWatch_Timer(); };
  }

  // Places the form over the whole host and the picture over the whole form,
  // in 32-bit pixels: any host size gets a whole preview.
  void FitTo(const qg::show::WindowSize& size) {
    Move(0, 0, double(size.width) * qgf::App::TwipsPerPixelX(), double(size.height) * qgf::App::TwipsPerPixelY());
    Img_Prev.Move(0, 0, size.width, size.height);
    size_ = size;
  }

  void Attach(qgf::WindowId host) {
    host_ = host;
    HostWatch.SetEnabled(true);
  }

  qgf::ImageControl Img_Prev;
  qgf::Timer HostWatch;

 protected:
  void OnUnload(int& cancel) override {
    (void)cancel;
    // Nothing else is left once the preview goes.
    qgf::App::End(0);
  }

 private:
  void HostWatch_Timer() {
    qg::show::WindowSize size;
    if (!qg::show::ProbeWindow(host_, &size)) qgf::App::End(0);
    // A host that changes its size gets a preview of its new size.
    if (size.width != size_.width || size.height != size_.height) FitTo(size);
  }

  qgf::WindowId host_ = 0;
  qg::show::WindowSize size_;
};

}  // namespace

void LoadPreviewForm(qgf::WindowId host) {
  qg::show::WindowSize size;
  // 0, or an id that is no window: an invisible preview would live on with
  // nothing to end it.
  if (!qg::show::ProbeWindow(host, &size)) qgf::App::End(0);
  static Wobblevista_R* form = new Wobblevista_R;
  form->Load();
  form->EmbedInto(host);
  form->FitTo(size);
  form->Attach(host);
  form->Show();
}
