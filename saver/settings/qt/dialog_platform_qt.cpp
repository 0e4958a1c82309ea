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
  // At the desktop's scale, like the rest of the dialog (Qt takes the hot
  // spot in the picture's own pixels).
  const qreal ratio = w->devicePixelRatioF();
  if (ratio != 1) hand = hand.scaled(hand.size() * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  w->setCursor(QCursor(hand, qRound(kHandHotX * ratio), qRound(kHandHotY * ratio)));
}

std::string StoredPropertiesText() {
  QFile f(QStringLiteral(":/dialog/wobblevista_p.props"));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll().toStdString();
}

}  // namespace Wobblevista_P_Platform
