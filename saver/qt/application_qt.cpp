// The application services over QApplication.
#include <unistd.h>

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "file_system.h"
#include "forms/application.h"
#include "qt/widget_impl.h"
#include "x11/window_search.h"

namespace qgf {
namespace App {
namespace {

std::string g_command;
MousePointer g_pointer = MousePointer::Default;
QApplication* g_app = nullptr;

}  // namespace

void Init(int& argc, char** argv) {
  g_command.clear();
  for (int i = 1; i < argc; ++i) {
    if (i > 1) g_command += ' ';
    g_command += argv[i];
  }
  // The forms measure in device pixels, as they were designed.
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  // Window ids, captions and the cursor are X11's: the xcb platform always
  // (XWayland in a Wayland session).
  qputenv("QT_QPA_PLATFORM", "xcb");
  // Qt aborts without a display; say why and end plainly instead.
  if (!qg::x11::SharedDisplay()) {
    std::fprintf(stderr, "Quiverglide: cannot open the X display \"%s\"\n",
                 std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "");
    End(1);
  }
  if (!g_app) g_app = new QApplication(argc, argv);
  // Never an application display name: Qt would append it to every caption.
  QApplication::setQuitOnLastWindowClosed(false);
  // The dialog's designed Japanese font; fontconfig knows no such name.
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
  QFont::insertSubstitution(QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"));
}

bool g_running = false;

int Run() {
  if (!g_app || LoadedFormCount() == 0) return 0;
  g_running = true;
  int rc = QApplication::exec();
  g_running = false;
  return rc;
}

bool Running() { return g_running; }

void DoEvents() { QCoreApplication::processEvents(); }

void End(int exit_code) {
  std::fflush(nullptr);
  // No unload handlers and no toolkit shutdown: the process ends here.
  ::_exit(exit_code);
}

std::string Command() { return g_command; }
std::string Path() { return qg::DefaultFileSystem().ProgramFolder(); }
std::string Title() { return "Quiverglide"; }
std::uintptr_t InstanceHandle() { return 0; }

double ScreenWidth() {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? double(s->geometry().width()) * TwipsPerPixelX() : 0.0;
}
double ScreenHeight() {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? double(s->geometry().height()) * TwipsPerPixelY() : 0.0;
}

namespace {
int Tpp(double dpi) {
  if (!(dpi > 0)) return 15;
  int t = int(std::lround(1440.0 / dpi));
  return t > 0 ? t : 15;
}
}  // namespace

int TwipsPerPixelX() {
  QScreen* s = g_app ? QGuiApplication::primaryScreen() : nullptr;
  return s ? Tpp(s->logicalDotsPerInchX()) : 15;
}
int TwipsPerPixelY() {
  QScreen* s = g_app ? QGuiApplication::primaryScreen() : nullptr;
  return s ? Tpp(s->logicalDotsPerInchY()) : 15;
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
