// Lets the Qt event loop run until done() or the time is up: for the Qt tests
// offscreen and on a private X server alike.
#pragma once

#include <QElapsedTimer>
#include <QTest>

#include <functional>

namespace qttest {

inline bool WaitFor(const std::function<bool()>& done, int ms = 3000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QTest::qWait(10);
  }
  return true;
}

}  // namespace qttest
