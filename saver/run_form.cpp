#include "run_form.h"

#include "forms/form.h"

namespace {

class Wobblevista_S : public qgf::Form {
 public:
  Wobblevista_S() {
    SetCaption("Wobblevista_Main");
    SetBorderStyle(qgf::BorderStyle::None);
  }
};

}  // namespace

void LoadRunForm() {
  static Wobblevista_S* form = new Wobblevista_S;
  form->Load();
}
