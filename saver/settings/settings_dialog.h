// The settings dialog, shown for "/C".
#pragma once

// Shows the settings dialog (caption "<Quiverglide>") modally; returns after
// it has closed.
void ShowSettingsDialogModal();
