// The caption label lies over most of a small button's face. Qt gives a label
// neither pointer moves (it does not track the mouse) nor, reliably, its
// presses, so the label lets every mouse event through to the control below:
// the caption area then behaves exactly like the rest of the face.
#include <QWidget>

#include "command.h"
#include "forms/qt/widget_impl.h"

namespace Wobblevista {

void PassCaptionMouseThrough(qgf::Label& caption) {
  if (QWidget* w = caption.impl() ? caption.impl()->w.data() : nullptr)
    w->setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

}  // namespace Wobblevista
