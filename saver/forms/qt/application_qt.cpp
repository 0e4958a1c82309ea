// The application services over QApplication.
#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

#include "display_system.h"
#include "forms/application.h"
#include "forms/qt/wayland/own_windows_pointer.h"
#include "forms/qt/widget_impl.h"
#include "forms/toolkit_calls.h"
#include "x11/window_search.h"

namespace qgf {
namespace {

MousePointer g_pointer = MousePointer::Default;
QApplication* g_app = nullptr;
QtMessageHandler g_qtMessages = nullptr;

// Qt gives up (a fatal message, then an abort and its core) when the X
// server goes away while it connects. That is the session's end, not a fault
// of the program: it ends as it does without a display.
void OnQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  g_qtMessages(type, context, text);
  if (type != QtFatalMsg) return;
  Display* display = XOpenDisplay(nullptr);
  if (!display) App::End(1);
  XCloseDisplay(display);
}

}  // namespace

void Toolkit::Init(int& argc, char** argv, App::DesktopScale scale) {
  if (scale == App::DesktopScale::DevicePixels) {
    // The forms measure in the screen's own pixels, whatever the desktop or
    // the user's environment asks for.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
  }
  // Otherwise Qt's own scaling: Xft.dpi (or QT_SCALE_FACTOR,
  // QT_SCREEN_SCALE_FACTORS) on X11, an output's scale on Wayland, fractional
  // factors passed through as given (Qt's default rounding). A form's pixel is
  // then Qt's device-independent pixel, and the canvases draw at the device's.
  const bool wayland_desktop = qg::ChooseDisplaySystem() == qg::DisplaySystem::kWayland;
  if (wayland_desktop && !App::InX11Window()) {
    // The desktop's own windows, through Qt's Wayland platform (X11 through
    // XWayland only if that platform is not installed).
    qputenv("QT_QPA_PLATFORM", "wayland;xcb");
  } else {
    // Window ids, captions and the cursor are X11's: the xcb platform.
    qputenv("QT_QPA_PLATFORM", "xcb");
    // Qt aborts without a display; say why and end plainly instead. A preview
    // on a Wayland desktop without an X server has nothing to live in.
    if (!qg::x11::SharedDisplay()) {
      if (wayland_desktop) App::End(0);
      std::fprintf(stderr, "Quiverglide: cannot open the X display \"%s\"\n",
                   std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "");
      App::End(1);
    }
  }
  if (!g_qtMessages) g_qtMessages = qInstallMessageHandler(OnQtMessage);
  if (!g_app) g_app = new QApplication(argc, argv);
  // The compositor shows the settings entry's name and icon with our windows.
  if (wayland_desktop) QGuiApplication::setDesktopFileName(QStringLiteral("quiverglide-settings"));
  if (wayland::QtOnWayland()) wayland::FollowPointer();
  // Never an application display name: Qt would append it to every caption.
  QApplication::setQuitOnLastWindowClosed(false);
  // The dialog's designed Japanese font; fontconfig knows no such name.
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
  QFont::insertSubstitution(QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"));
}

int Toolkit::RunEventLoop() { return g_app ? QApplication::exec() : 0; }

namespace App {

void DoEvents() { QCoreApplication::processEvents(); }

std::uintptr_t InstanceHandle() { return 0; }

double ScreenWidth() {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? double(s->geometry().width()) * TwipsPerPixelX() : 0.0;
}
double ScreenHeight() {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? double(s->geometry().height()) * TwipsPerPixelY() : 0.0;
}

int TwipsPerPixelX() {
  QScreen* s = g_app ? QGuiApplication::primaryScreen() : nullptr;
  return s ? TwipsPerPixelAt(s->logicalDotsPerInchX()) : 15;
}
int TwipsPerPixelY() {
  QScreen* s = g_app ? QGuiApplication::primaryScreen() : nullptr;
  return s ? TwipsPerPixelAt(s->logicalDotsPerInchY()) : 15;
}

void SetMousePointer(MousePointer pointer) {
  if (!g_app) return;
  if (g_pointer != MousePointer::Default) QApplication::restoreOverrideCursor();
  g_pointer = pointer;
  if (pointer != MousePointer::Default) QApplication::setOverrideCursor(CursorFor(pointer));
}

MousePointer GetMousePointer() { return g_pointer; }

}  // namespace App
}  // namespace qgf
