#include "settings_dialog.h"

#include "forms/form.h"

namespace {

class Wobblevista_P : public qgf::Form {
 public:
  Wobblevista_P() {
    SetCaption("<Quiverglide>");
    SetBorderStyle(qgf::BorderStyle::FixedSingle);
    SetScaleMode(qgf::ScaleMode::Pixels);
    Move(0, 0, 496 * 15, 246 * 15);
  }
};

}  // namespace

void ShowSettingsDialogModal() {
  Wobblevista_P form;
  form.ShowModal();
}
