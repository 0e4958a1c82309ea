// What the settings dialog needs beyond the form layer on Qt: the two-colour
// pointing hand with its transparent parts (the layer's pictures have no
// transparency), and the text of its stored control properties, which is
// built into the program.
#include <QCursor>
#include <QFile>
#include <QPixmap>
#include <QWidget>

#include "dialog_platform.h"
#include "forms/qt/widget_impl.h"

namespace Wobblevista_P_Platform {

void SetHandPointer(qgf::Widget& widget) {
  QWidget* w = widget.impl() ? widget.impl()->w.data() : nullptr;
  if (!w) return;
  QPixmap hand(QStringLiteral(":/dialog/hand.cur"));
  if (hand.isNull()) {
    w->setCursor(Qt::PointingHandCursor);
    return;
  }
  w->setCursor(QCursor(hand, kHandHotX, kHandHotY));
}

std::string StoredPropertiesText() {
  QFile f(QStringLiteral(":/dialog/wobblevista_p.props"));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll().toStdString();
}

}  // namespace Wobblevista_P_Platform
