// The zoom rectangle on X11: a frameless, unmanaged window of our own whose
// shape is only a two-pixel outline, moved through the frames. The system has
// no animated-rectangle call of its own here. On Wayland there is no zoom: a
// client neither knows where its windows stand nor can place a window of its
// own at screen coordinates, and the compositor animates windows as it likes.
#include <QApplication>
#include <QElapsedTimer>
#include <QRegion>
#include <QThread>
#include <QWidget>

#include "dialog_zoom.h"
#include "forms/qt/wayland/own_windows_pointer.h"
#include "forms/statements.h"

namespace Wobblevista_B {

bool ZoomWindowRect(qgf::WindowId window, qgf::PixelRect& rect) {
  if (qgf::wayland::QtOnWayland()) return false;
  // A window that is still hidden has not been moved on the X server yet (the
  // opening zoom runs before the first showing): ask Qt, which knows where it
  // will appear.
  if (QWidget* w = QWidget::find(WId(window))) {
    const QRect r = w->frameGeometry();
    rect = qgf::PixelRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    return true;
  }
  return qgf::WindowRect(window, rect);
}

void AnimateRectangles(const std::vector<qgf::PixelRect>& frames) {
  if (frames.empty() || !QApplication::instance()) return;
  QWidget outline(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                               Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
  outline.setAttribute(Qt::WA_ShowWithoutActivating);
  outline.setAttribute(Qt::WA_TransparentForMouseEvents);
  outline.setObjectName("QuiverglideZoom");
  QPalette pal = outline.palette();
  pal.setColor(QPalette::Window, QColor(0x10, 0x20, 0x60));
  outline.setPalette(pal);
  outline.setAutoFillBackground(true);
  for (const qgf::PixelRect& r : frames) {
    const int w = std::max(4, r.width()), h = std::max(4, r.height());
    outline.setGeometry(r.left, r.top, w, h);
    outline.setMask(QRegion(0, 0, w, h).subtracted(QRegion(2, 2, w - 4, h - 4)));
    if (!outline.isVisible()) outline.show();
    outline.repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QThread::msleep(18);
  }
  outline.hide();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace Wobblevista_B
