// Between the form layer's shared rules and a toolkit's part of it: what the
// rules keep (the loaded forms, whether App::Run runs) and the few toolkit
// calls they make at their fixed points.
#pragma once

#include <vector>

#include "application.h"
#include "form.h"

namespace qgf {

// The forms loaded now, in the order they loaded.
const std::vector<Form*>& LoadedForms();

namespace App {
// True while App::Run's event loop runs.
bool Running();
// True when Init was told the program lives inside another program's X window.
bool InX11Window();
}  // namespace App

namespace Toolkit {
// App::Init's toolkit part, once the command line is kept.
void Init(int& argc, char** argv, App::DesktopScale scale);
// App::Run's event loop; returns its exit code.
int RunEventLoop();
// The last loaded form has unloaded: App::Run's loop is to end.
void LastFormUnloaded();
}  // namespace Toolkit

// A pixel of a screen with `dpi` dots per inch, in twips (15 where the screen
// says nothing useful).
int TwipsPerPixelAt(double dpi);

}  // namespace qgf
