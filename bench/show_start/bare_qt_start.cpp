// What any Qt program pays before it can do anything: library loading, the
// application object with its display connection, one native window. For the
// record beside the screensaver's own start-up, which is built on Qt. With
// QG_BARE_QT_HOLD set it says "up" and stays, for its memory to be read.
#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("bare");
  window.winId();  // a native window, as the hidden run form has
  if (std::getenv("QG_BARE_QT_HOLD")) {
    QApplication::processEvents();
    std::printf("up\n");
    std::fflush(stdout);
    for (;;) pause();
  }
  return 0;
}
