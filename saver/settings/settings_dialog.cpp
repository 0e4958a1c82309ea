#include "settings_dialog.h"

#include "dialog_form.h"

void ShowSettingsDialogModal() {
  Wobblevista_P form;
  form.ShowModal();
}
