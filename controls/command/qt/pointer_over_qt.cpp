// The pointer test of TmrMouse on Qt. Child widgets share their form's X
// window, so the window under the pointer only tells whether the pointer is
// over our form at all (another program's window may lie on top of it); which
// control it is over is then asked of Qt at widget level.
#include <QApplication>
#include <QCursor>
#include <QWidget>

#include "command.h"
#include "forms/statements.h"
#include "pointer_tracking.h"
#include "qt/widget_impl.h"

namespace Wobblevista {

bool PointerOverCommand(qgf::UserControl& control, qgf::Widget& caption) {
  QWidget* self = control.impl() ? control.impl()->w.data() : nullptr;
  QWidget* label = caption.impl() ? caption.impl()->w.data() : nullptr;
  if (!self) return false;
  QWidget* form = self->window();
  const QPoint at = QCursor::pos();

  qgf::Point p{at.x(), at.y()};
  const qgf::WindowId under_window = qgf::WindowFromPoint(p);
  const qgf::WindowId form_window = form ? qgf::WindowId(form->internalWinId()) : 0;
  const qgf::WindowId self_window = qgf::WindowId(self->internalWinId());
  // 0 means the platform cannot tell (no window system query): trust Qt alone.
  if (under_window != 0 && under_window != form_window && under_window != self_window) return false;

  QWidget* under = QApplication::widgetAt(at);
  return !PointerHasLeft(reinterpret_cast<SurfaceId>(under), reinterpret_cast<SurfaceId>(self),
                         reinterpret_cast<SurfaceId>(label), reinterpret_cast<SurfaceId>(form));
}

}  // namespace Wobblevista
