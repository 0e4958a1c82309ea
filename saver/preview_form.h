// The preview form: a still picture shown inside the system's preview box.
#pragma once

#include <cstdint>

#include "forms/types.h"

// Loads the preview form hidden, makes it a child of the host window, places
// it at 0,0 with the host's own size in pixels (twips held in 16 bits would
// lose hosts wider than about 2,184 pixels) and shows it modeless.
void LoadPreviewForm(qgf::WindowId host);
