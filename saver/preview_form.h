// The preview form: a still picture shown inside the system's preview box.
#pragma once

#include <cstdint>

#include "forms/types.h"

// Loads the preview form hidden, makes it a child of the host window, places
// it at 0,0 with the given size in twips (0 for a dimension that could not be
// computed), sizes its picture to the host in pixels and shows it modeless.
void LoadPreviewForm(qgf::WindowId host, std::int16_t width_twips, std::int16_t height_twips);
