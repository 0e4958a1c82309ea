// What any Qt program pays before it can do anything: library loading, the
// application object with its X connection, one native window. For the
// record beside the screensaver's own start-up, which is built on Qt.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("bare");
  window.winId();  // a native window, as the hidden run form has
  return 0;
}
