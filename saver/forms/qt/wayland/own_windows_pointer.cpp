#include "forms/qt/wayland/own_windows_pointer.h"

#include <QApplication>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>

namespace qgf {
namespace wayland {

namespace {

// The window of ours that has the pointer, and where in it the pointer is.
class PointerFollower : public QObject {
 public:
  QPointer<QWindow> window;
  QPointF at;

 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    if (!target->isWindowType()) return false;
    switch (event->type()) {
      case QEvent::Enter:
        window = static_cast<QWindow*>(target);
        at = static_cast<QEnterEvent*>(event)->position();
        break;
      case QEvent::MouseMove:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
        window = static_cast<QWindow*>(target);
        at = static_cast<QMouseEvent*>(event)->position();
        break;
      case QEvent::Leave:
        if (window == target) window = nullptr;
        break;
      default:
        break;
    }
    return false;
  }
};

PointerFollower* g_follower = nullptr;

// The widget behind a window of ours.
QWidget* TopLevelOf(QWindow* window) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->windowHandle() == window) return top;
  }
  return nullptr;
}

}  // namespace

bool QtOnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

void FollowPointer() {
  if (g_follower || !QCoreApplication::instance()) return;
  g_follower = new PointerFollower;
  QCoreApplication::instance()->installEventFilter(g_follower);
}

QWidget* WindowUnderPointer() {
  if (!g_follower || !g_follower->window) return nullptr;
  QWidget* top = TopLevelOf(g_follower->window);
  // A press holds the pointer to the window it began in, also outside it.
  return top && top->isVisible() && top->rect().contains(g_follower->at.toPoint()) ? top : nullptr;
}

QWidget* WidgetUnderPointer() {
  QWidget* top = WindowUnderPointer();
  if (!top) return nullptr;
  QWidget* child = top->childAt(g_follower->at.toPoint());
  return child ? child : top;
}

bool CursorPos(Point& position) {
  QWidget* top = WindowUnderPointer();
  if (!top) return false;
  const QPoint p = top->mapToGlobal(g_follower->at.toPoint());
  position = Point{p.x(), p.y()};
  return true;
}

WindowId WindowFromPoint(Point point) {
  QWidget* top = WindowUnderPointer();
  return top && top->frameGeometry().contains(point.x, point.y) ? WindowId(top->winId()) : 0;
}

bool WindowRect(WindowId window, PixelRect& rect) {
  rect = PixelRect{};
  QWidget* w = window ? QWidget::find(WId(window)) : nullptr;
  if (!w) return false;
  const QRect r = w->window() == w ? w->frameGeometry() : QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
  rect = PixelRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
  return true;
}

}  // namespace wayland
}  // namespace qgf
