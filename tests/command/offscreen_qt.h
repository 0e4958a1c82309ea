// What the offscreen Qt tests share. Their main() (offscreen_qt.cpp) starts Qt
// on the offscreen platform, never on the caller's display, with the dialog
// font's substitution that the form layer's own start-up would make.
#pragma once

#include <QWidget>

#include "forms/qt/widget_impl.h"
#include "qt_wait.h"

namespace qttest {

inline QWidget* Q(qgf::Widget& w) { return w.impl()->w.data(); }

}  // namespace qttest
