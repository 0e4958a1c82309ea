// Widget: geometry, state, pointer and events over a QWidget.
#include <QBitmap>
#include <QCursor>
#include <QMouseEvent>
#include <QPixmap>

#include "forms/application.h"
#include "forms/qt/widget_impl.h"

namespace qgf {

QImage ToQImage(const Image& image) {
  if (image.empty()) return QImage();
  QImage q(image.width(), image.height(), QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    const std::uint32_t* src = image.row(y);
    QRgb* dst = reinterpret_cast<QRgb*>(q.scanLine(y));
    for (int x = 0; x < image.width(); ++x) dst[x] = 0xFF000000u | src[x];
  }
  return q;
}

Image FromQImage(const QImage& source) {
  if (source.isNull()) return Image();
  QImage q = source.convertToFormat(QImage::Format_RGB32);
  Image out(q.width(), q.height());
  for (int y = 0; y < q.height(); ++y) {
    const QRgb* src = reinterpret_cast<const QRgb*>(q.constScanLine(y));
    std::uint32_t* dst = out.row(y);
    for (int x = 0; x < q.width(); ++x) dst[x] = src[x] & 0x00FFFFFFu;
  }
  return out;
}

QColor ToQColor(Colour c) { return QColor(c.r, c.g, c.b); }

QFont ToQFont(const Font& f) {
  QFont q(QString::fromUtf8(f.name.c_str()));
  if (f.size > 0) q.setPointSizeF(f.size);
  q.setBold(f.bold || f.weight >= 700);
  q.setItalic(f.italic);
  q.setUnderline(f.underline);
  q.setStrikeOut(f.strikeout);
  return q;
}

Font FromQFont(const QFont& q) {
  Font f;
  f.name = q.family().toStdString();
  f.size = q.pointSizeF();
  f.bold = q.bold();
  f.italic = q.italic();
  f.underline = q.underline();
  f.strikeout = q.strikeOut();
  f.weight = q.bold() ? 700 : 400;
  return f;
}

QCursor CursorFor(MousePointer pointer) {
  switch (pointer) {
    case MousePointer::Hourglass: return QCursor(Qt::WaitCursor);
    case MousePointer::Hand: return QCursor(Qt::PointingHandCursor);
    default: return QCursor(Qt::ArrowCursor);
  }
}

void DeliverMouse(WidgetImpl* impl, QMouseEvent* e, int kind) {
  if (!impl || !impl->owner) return;
  Widget* w = impl->owner;
  MouseArgs a;
  Qt::MouseButtons buttons = kind == 1 ? e->buttons() : Qt::MouseButtons(e->button());
  if (buttons & Qt::LeftButton) a.button |= LeftButton;
  if (buttons & Qt::RightButton) a.button |= RightButton;
  if (buttons & Qt::MiddleButton) a.button |= MiddleButton;
  Qt::KeyboardModifiers m = e->modifiers();
  if (m & Qt::ShiftModifier) a.shift |= ShiftMask;
  if (m & Qt::ControlModifier) a.shift |= CtrlMask;
  if (m & Qt::AltModifier) a.shift |= AltMask;
  QPointF p = e->position();
  const Canvas* unit = impl->is_canvas ? static_cast<const Canvas*>(w) : w->Container();
  a.x = unit ? unit->FromPixels(p.x()) : p.x();
  a.y = unit ? unit->FromPixels(p.y()) : p.y();
  const bool inside = kind == 2 && impl->w && impl->w->rect().contains(p.toPoint());
  DeliverMouseEvent(*w, impl->is_user_control, MouseEventKind(kind), a, inside);
}

Widget::Widget(Canvas* container, WidgetImpl* impl) : impl_(impl), container_(container) { impl_->owner = this; }

Widget::~Widget() {
  if (impl_) {
    impl_->owner = nullptr;
    delete impl_->w.data();
    delete impl_;
  }
}

namespace {
double ToPx(const Widget* w, double v) {
  const Canvas* c = w->Container();
  if (c) return c->ToPixels(v);
  return v / App::TwipsPerPixelX();
}
double FromPx(const Widget* w, double px) {
  const Canvas* c = w->Container();
  if (c) return c->FromPixels(px);
  return px * App::TwipsPerPixelX();
}
int Round(double v) { return int(v < 0 ? v - 0.5 : v + 0.5); }
}  // namespace

void Widget::Move(double left, double top, double width, double height) {
  QWidget* q = impl_->w;
  if (!q) return;
  int x = Round(ToPx(this, left)), y = Round(ToPx(this, top));
  int wd = width < 0 ? q->width() : Round(ToPx(this, width));
  int ht = height < 0 ? q->height() : Round(ToPx(this, height));
  if (wd < 0) wd = 0;
  if (ht < 0) ht = 0;
  bool resized = q->width() != wd || q->height() != ht;
  q->move(x, y);
  q->resize(wd, ht);
  // Qt holds resize events of hidden widgets back until they are shown; the
  // forms and controls expect theirs at once, as they draw while hidden.
  if (resized && !q->isVisible() && impl_->is_canvas) {
    impl_->FollowSize();
    if (impl_->is_form) FormAccess::Resize(*static_cast<Form*>(this));
    if (impl_->is_user_control) UserControlAccess::Resize(*static_cast<UserControl*>(this));
  }
}

double Widget::Left() const { return impl_->w ? FromPx(this, impl_->w->x()) : 0; }
double Widget::Top() const { return impl_->w ? FromPx(this, impl_->w->y()) : 0; }
double Widget::Width() const { return impl_->w ? FromPx(this, impl_->w->width()) : 0; }
double Widget::Height() const { return impl_->w ? FromPx(this, impl_->w->height()) : 0; }

void Widget::SetEnabled(bool enabled) {
  if (impl_->w) impl_->w->setEnabled(enabled);
}
bool Widget::Enabled() const { return impl_->w && impl_->w->isEnabled(); }

void Widget::SetVisible(bool visible) {
  if (!impl_->w) return;
  // A form shows through Show(); for controls visibility is their own flag.
  if (impl_->is_form) {
    if (!visible) impl_->w->hide();
    return;
  }
  impl_->w->setVisible(visible);
}
bool Widget::Visible() const { return impl_->w && !impl_->w->isHidden(); }

WindowId Widget::Handle() { return impl_->w ? WindowId(impl_->w->winId()) : 0; }

void Widget::SetMousePointer(MousePointer pointer) {
  impl_->pointer = pointer;
  if (!impl_->w) return;
  if (pointer == MousePointer::Default) impl_->w->unsetCursor();
  else if (pointer != MousePointer::Custom) impl_->w->setCursor(CursorFor(pointer));
}

void Widget::SetMouseIcon(const Picture& icon, int hot_x, int hot_y) {
  if (!impl_->w || icon.isNull()) return;
  QPixmap pm = QPixmap::fromImage(ToQImage(*icon.image()));
  impl_->pointer = MousePointer::Custom;
  impl_->w->setCursor(QCursor(pm, hot_x, hot_y));
}

void Widget::SetFocus() {
  if (impl_->w) impl_->w->setFocus(Qt::OtherFocusReason);
}

void Widget::ZOrderTop() {
  if (impl_->w) impl_->w->raise();
}

}  // namespace qgf
