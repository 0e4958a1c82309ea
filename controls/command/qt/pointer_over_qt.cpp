// The pointer test of TmrMouse on Qt. Child widgets share their form's X
// window, so the question is asked at widget level: which widget lies under
// the pointer. On X11 Qt finds the top-level window under the point from the
// server, so another program's window on top of ours already counts as
// "not our widget". On Wayland only our own windows are known, and the
// pointer over them only while it is there.
#include <QApplication>
#include <QCursor>
#include <QWidget>

#include "command.h"
#include "pointer_tracking.h"
#include "forms/qt/wayland/own_windows_pointer.h"
#include "forms/qt/widget_impl.h"

namespace Wobblevista {

bool PointerOverCommand(qgf::UserControl& control, qgf::Widget& caption) {
  QWidget* self = control.impl() ? control.impl()->w.data() : nullptr;
  QWidget* label = caption.impl() ? caption.impl()->w.data() : nullptr;
  if (!self) return false;
  QWidget* under = qgf::wayland::QtOnWayland() ? qgf::wayland::WidgetUnderPointer()
                                                : QApplication::widgetAt(QCursor::pos());
  return !PointerHasLeft(reinterpret_cast<SurfaceId>(under), reinterpret_cast<SurfaceId>(self),
                         reinterpret_cast<SurfaceId>(label), reinterpret_cast<SurfaceId>(self->window()));
}

}  // namespace Wobblevista
