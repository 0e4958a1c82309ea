// The settings dialog's few platform-specific needs.
#pragma once

#include <string>

#include "forms/widget.h"

namespace Wobblevista_P_Platform {

// The hot spot of the pointing hand: the tip of the finger.
constexpr int kHandHotX = 12;
constexpr int kHandHotY = 10;

// Gives the widget the dialog's own pointing-hand pointer.
void SetHandPointer(qgf::Widget& widget);
// The dialog's stored Command properties in the form property file format.
std::string StoredPropertiesText();

}  // namespace Wobblevista_P_Platform
