// The pointer on Qt's Wayland platform. A Wayland client learns where the
// pointer is only while it lies over one of its own surfaces (or is held by a
// press on one), and Qt's own cursor position does not follow it there; nor
// does a client know where its windows stand on the screen or what covers
// them. So the pointer is followed here from the events our windows get
// (enter, moves, presses, leave), and every answer knows only our own windows,
// in Qt's coordinates.
#pragma once

#include <QWidget>

#include "forms/types.h"

namespace qgf {
namespace wayland {

// True when Qt runs on its Wayland platform.
bool QtOnWayland();
// Starts following the pointer; call once the application exists.
void FollowPointer();

// Our top-level window that has the pointer, nullptr when none has.
QWidget* WindowUnderPointer();
// The widget of ours under the pointer, nullptr when the pointer is elsewhere.
QWidget* WidgetUnderPointer();

// The statements within our own windows: a position only while the pointer is
// over one of them; the window under a point only when it has the pointer; the
// rectangle of our own windows only.
bool CursorPos(Point& position);
WindowId WindowFromPoint(Point point);
bool WindowRect(WindowId window, PixelRect& rect);

}  // namespace wayland
}  // namespace qgf
