// Statements: start a program, make a folder, message box, file dialog,
// opening a document, and the window and cursor queries: X11's, or on a
// Wayland desktop the session's marks for captions, Qt's own windows for the
// pointer and a cursor count that touches nothing.
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

#include "display_system.h"
#include "file_system.h"
#include "forms/qt/wayland/own_windows_pointer.h"
#include "forms/statements.h"
#include "wayland/caption_marks.h"
#include "wayland/wayland_cursor.h"
#include "x11/window_search.h"
#include "x11/x11_cursor.h"

namespace qgf {

namespace {

bool WaylandDesktop() { return qg::ChooseDisplaySystem() == qg::DisplaySystem::kWayland; }

}  // namespace

bool Shell(const std::string& program) {
  return QProcess::startDetached(QString::fromUtf8(program.c_str()), QStringList());
}

bool MakeFolder(const std::string& path) { return qg::DefaultFileSystem().MakeFolder(path, false); }

void MsgBox(const std::string& text, const std::string& caption) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(caption.c_str()), QString::fromUtf8(text.c_str()),
                  QMessageBox::Ok);
  box.exec();
}

std::optional<std::string> OpenFileDialog(const OpenFileRequest& r) {
  // "*.MP3;*.WAV" as a Qt filter, in both cases: Linux names are case-sensitive.
  QStringList patterns;
  for (const QString& p : QString::fromUtf8(r.filter_pattern.c_str()).split(';', Qt::SkipEmptyParts)) {
    patterns << p.trimmed().toLower() << p.trimmed().toUpper();
  }
  patterns.removeDuplicates();
  QString filter = QString::fromUtf8(r.filter_name.c_str()) + " (" + patterns.join(' ') + ")";
  QString file = QFileDialog::getOpenFileName(nullptr, QString::fromUtf8(r.title.c_str()),
                                              QString::fromUtf8(r.initial_folder.c_str()), filter, nullptr,
                                              QFileDialog::DontUseNativeDialog);
  if (file.isEmpty()) return std::nullopt;
  return file.toStdString();
}

bool OpenDocument(const std::string& target) {
  return QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromUtf8(target.c_str())));
}

bool CursorPos(Point& position) {
  if (wayland::QtOnWayland()) return wayland::CursorPos(position);
  // In Qt's pixels, those the forms are placed in: larger than the X server's
  // where the desktop is scaled.
  if (!QGuiApplication::primaryScreen()) return false;
  const QPoint p = QCursor::pos();
  position = Point{p.x(), p.y()};
  return true;
}

WindowId WindowFromPoint(Point p) {
  if (wayland::QtOnWayland()) return wayland::WindowFromPoint(p);
  return WindowId(qg::x11::WindowAtPoint(qg::x11::SharedDisplay(), p.x, p.y));
}

bool WindowRect(WindowId window, PixelRect& rect) {
  if (wayland::QtOnWayland()) return wayland::WindowRect(window, rect);
  rect = PixelRect{};
  return qg::x11::WindowScreenRect(qg::x11::SharedDisplay(), Window(window), rect.left, rect.top, rect.right,
                                   rect.bottom);
}

WindowId FindWindowByCaption(const std::string& caption) {
  // A mark has no window id: any nonzero id says "there is one".
  if (WaylandDesktop()) return qg::wayland::CaptionShown(caption) ? 1 : 0;
  return WindowId(qg::x11::FindTopLevelByCaption(qg::x11::SharedDisplay(), caption));
}

int ShowCursor(int flag) {
  if (WaylandDesktop()) return qg::wayland::HostCursorCounter().ShowCursor(flag);
  return qg::x11::HostCursorCounter().ShowCursor(flag);
}

}  // namespace qgf
