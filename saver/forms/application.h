// What the program asks of its running application: the command line, the
// program folder and title, the screen, the application-wide pointer, the
// event loop and the immediate end.
#pragma once

#include <cstdint>
#include <string>

#include "types.h"

namespace qgf {
namespace App {

// How the program's windows meet a desktop that asks for a scale (150 %,
// 200 %): in the screen's own pixels whatever it asks, or laid out in the
// designed pixels and drawn at the desktop's scale, as a program that knows
// nothing of scaling is shown on Windows.
enum class DesktopScale { DevicePixels, Follow };

// Sets the application up; call first, with main's arguments. The command
// line becomes the arguments joined by single blanks. `in_x11_window` says
// whether the program is to live inside another program's X window: on a
// Wayland desktop the forms then use X11 as well, and end at once where there
// is no X server. Windows ignores it.
void Init(int& argc, char** argv, DesktopScale scale = DesktopScale::DevicePixels, bool in_x11_window = false);
// The command line Init keeps, from main's arguments.
std::string CommandOf(int argc, char** argv);
// Runs the event loop while at least one form is loaded; returns when none is.
int Run();
// Handles pending events once (used by waits inside handlers).
void DoEvents();
// Ends the program at once: no unload handlers run, the process exits.
[[noreturn]] void End(int exit_code = 0);

// The argument text, without the program name.
std::string Command();
// The folder the program file lies in, without a trailing separator.
std::string Path();
// The application's title: "Quiverglide".
std::string Title();
// The instance handle (0 where the platform has none).
std::uintptr_t InstanceHandle();

// Screen size in twips, and twips per pixel.
double ScreenWidth();
double ScreenHeight();
int TwipsPerPixelX();
int TwipsPerPixelY();

// The pointer shown over every window of the program (Default: each
// control's own).
void SetMousePointer(MousePointer pointer);
MousePointer GetMousePointer();

// Number of forms loaded now.
int LoadedFormCount();

}  // namespace App
}  // namespace qgf
