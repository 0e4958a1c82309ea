// The Qt side of the form layer: what every Widget holds, and the QWidget
// kinds behind forms, canvases and controls.
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include "forms/canvas.h"
#include "forms/form.h"
#include "forms/handler_access.h"
#include "forms/user_control.h"
#include "forms/widget.h"
#include "wayland/caption_marks.h"

class QEventLoop;

namespace qgf {

QImage ToQImage(const Image& image);  // a deep copy
Image FromQImage(const QImage& image);
QColor ToQColor(Colour c);
QFont ToQFont(const Font& font);
Font FromQFont(const QFont& font);
QCursor CursorFor(MousePointer pointer);

struct WidgetImpl {
  QPointer<QWidget> w;
  Widget* owner = nullptr;
  // Canvas state.
  QImage backing;
  Colour back = Colour::Rgb(0xF0, 0xF0, 0xF0);
  Picture back_picture;
  Font font;
  // Form state.
  QEventLoop* modal_loop = nullptr;
  qg::wayland::CaptionMark caption_mark;  // a loaded form's caption on a Wayland desktop
  bool fixed_size = false;                // a form with a fixed border
  bool is_form = false;
  bool is_user_control = false;
  bool is_canvas = false;
  MousePointer pointer = MousePointer::Default;

  qreal Ratio() const;   // device pixels per pixel of the widget: above 1 on a scaled desktop
  void EnsureBacking();  // backing made or matched to the widget's size, contents kept
  void ResetBacking();   // backing = background (made when next drawn on)
  void FollowSize();     // a made backing follows the widget's size
};

// Turns a Qt mouse event into the event arguments of a widget (coordinates
// in the unit of the widget's own surface for canvases, of its container
// otherwise) and delivers them.
void DeliverMouse(WidgetImpl* impl, QMouseEvent* event, int kind);  // 0 down, 1 move, 2 up

// The QWidget behind forms, picture boxes and user controls.
class CanvasWidget : public QWidget {
 public:
  CanvasWidget(WidgetImpl* impl, QWidget* parent);
  WidgetImpl* impl;

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void focusInEvent(QFocusEvent*) override;
  void focusOutEvent(QFocusEvent*) override;
  void closeEvent(QCloseEvent* e) override;
};

}  // namespace qgf
