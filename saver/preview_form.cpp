#include "preview_form.h"

#include "forms/application.h"
#include "forms/controls.h"
#include "forms/form.h"

namespace {

class Wobblevista_R : public qgf::Form {
 public:
  Wobblevista_R() : Img_Prev(*this) {
    SetCaption("Preview Window");
    SetBorderStyle(qgf::BorderStyle::None);
    SetBackColour(qgf::Colour::Rgb(0, 0, 0));
    SetScaleMode(qgf::ScaleMode::Pixels);
    Img_Prev.SetStretch(true);
    Img_Prev.Move(0, 0, 152, 112);
  }
  qgf::ImageControl Img_Prev;
};

}  // namespace

void LoadPreviewForm(qgf::WindowId host, std::int16_t width_twips, std::int16_t height_twips) {
  static Wobblevista_R* form = new Wobblevista_R;
  form->Load();
  form->EmbedInto(host);
  form->Move(0, 0, width_twips, height_twips);
  form->Img_Prev.Move(0, 0, double(width_twips) / qgf::App::TwipsPerPixelX(),
                      double(height_twips) / qgf::App::TwipsPerPixelY());
  form->Show();
}
