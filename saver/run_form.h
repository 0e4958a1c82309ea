// The run form: loaded hidden for the show; its load handler does the work.
#pragma once

// Loads the run form without showing it (caption "Wobblevista_Main").
void LoadRunForm();
