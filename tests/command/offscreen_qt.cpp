#include "offscreen_qt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>

#include <cstdlib>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  unsetenv("DISPLAY");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
  return RUN_ALL_TESTS();
}
