// What the offscreen Qt tests share. Their main() (offscreen_qt.cpp) starts Qt
// on the offscreen platform, never on the caller's display, with the dialog
// font's substitution that the form layer's own start-up would make.
#pragma once

#include <QWidget>

#include <functional>

#include "forms/qt/widget_impl.h"

namespace qttest {

inline QWidget* Q(qgf::Widget& w) { return w.impl()->w.data(); }
// Lets the event loop run until done() or the time is up.
bool WaitFor(const std::function<bool()>& done, int ms = 3000);

}  // namespace qttest
