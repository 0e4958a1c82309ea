// Canvas: a retained backing image behind forms, picture boxes and user
// controls; drawing goes into it and painting shows it.
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include "forms/application.h"
#include "forms/qt/widget_impl.h"

namespace qgf {

void WidgetImpl::EnsureBacking() {
  if (!w) return;
  QSize size = w->size();
  if (backing.size() == size) return;
  QImage next(size.expandedTo(QSize(0, 0)), QImage::Format_RGB32);
  if (next.isNull()) {
    backing = QImage();
    return;
  }
  next.fill(ToQColor(back));
  if (!back_picture.isNull()) {
    QPainter p(&next);
    p.drawImage(0, 0, ToQImage(*back_picture.image()));
  }
  if (!backing.isNull()) {
    QPainter p(&next);
    p.drawImage(0, 0, backing);
  }
  backing = next;
}

// A surface that holds only its background is not kept as an image: it is
// made when first drawn on or read. A full-screen form that is never drawn
// on (the show's) would otherwise hold a screen's worth of memory.
void WidgetImpl::ResetBacking() { backing = QImage(); }

void WidgetImpl::FollowSize() {
  if (!backing.isNull()) EnsureBacking();
}

CanvasWidget::CanvasWidget(WidgetImpl* i, QWidget* parent) : QWidget(parent), impl(i) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
  impl->FollowSize();
  QPainter p(this);
  if (!impl->backing.isNull()) {
    p.drawImage(0, 0, impl->backing);
    return;
  }
  p.fillRect(event->rect(), ToQColor(impl->back));
  if (!impl->back_picture.isNull()) p.drawImage(0, 0, ToQImage(*impl->back_picture.image()));
}

void CanvasWidget::resizeEvent(QResizeEvent*) {
  impl->FollowSize();
  if (!impl->owner) return;
  if (impl->is_form) FormAccess::Resize(*static_cast<Form*>(impl->owner));
  if (impl->is_user_control) UserControlAccess::Resize(*static_cast<UserControl*>(impl->owner));
}

void CanvasWidget::mousePressEvent(QMouseEvent* e) { DeliverMouse(impl, e, 0); }
void CanvasWidget::mouseMoveEvent(QMouseEvent* e) { DeliverMouse(impl, e, 1); }
void CanvasWidget::mouseReleaseEvent(QMouseEvent* e) { DeliverMouse(impl, e, 2); }

void CanvasWidget::focusInEvent(QFocusEvent*) {
  if (impl->owner && impl->is_user_control) UserControlAccess::GotFocus(*static_cast<UserControl*>(impl->owner));
}
void CanvasWidget::focusOutEvent(QFocusEvent*) {
  if (impl->owner && impl->is_user_control) UserControlAccess::LostFocus(*static_cast<UserControl*>(impl->owner));
}

void CanvasWidget::closeEvent(QCloseEvent* e) {
  // The window system's close: the form unloads, unless a handler cancels.
  if (impl->is_form && impl->owner) {
    Form* f = static_cast<Form*>(impl->owner);
    if (f->IsLoaded() && !f->Unload(UnloadMode::ControlMenu)) {
      e->ignore();
      return;
    }
  }
  e->accept();
}

Canvas::Canvas(Canvas* container, WidgetImpl* impl) : Widget(container, impl) { impl->is_canvas = true; }

void Canvas::SetScaleMode(ScaleMode mode) { scale_mode_ = mode; }

double Canvas::ToPixels(double v) const {
  return scale_mode_ == ScaleMode::Pixels ? v : v / App::TwipsPerPixelX();
}
double Canvas::FromPixels(double px) const {
  return scale_mode_ == ScaleMode::Pixels ? px : px * App::TwipsPerPixelX();
}

double Canvas::ScaleWidth() const { return impl_->w ? FromPixels(impl_->w->width()) : 0; }
double Canvas::ScaleHeight() const { return impl_->w ? FromPixels(impl_->w->height()) : 0; }

void Canvas::SetBackColour(Colour c) {
  impl_->back = c;
  impl_->ResetBacking();
  if (impl_->w) impl_->w->update();
}
Colour Canvas::BackColour() const { return impl_->back; }

void Canvas::SetBackPicture(const Picture& picture) {
  impl_->back_picture = picture;
  impl_->ResetBacking();
  if (impl_->w) impl_->w->update();
}

void Canvas::SetFont(const Font& font) {
  impl_->font = font;
  if (impl_->w) impl_->w->setFont(ToQFont(font));
}
Font Canvas::GetFont() const { return impl_->font; }

void Canvas::Cls() {
  impl_->ResetBacking();
  if (impl_->w) impl_->w->update();
}

namespace {
int R(double v) { return int(v < 0 ? v - 0.5 : v + 0.5); }
}  // namespace

void Canvas::Line(double x1, double y1, double x2, double y2, Colour colour) {
  impl_->EnsureBacking();
  if (impl_->backing.isNull()) return;
  QPainter p(&impl_->backing);
  p.setPen(QPen(ToQColor(colour), 1));
  QPointF a(R(ToPixels(x1)), R(ToPixels(y1))), b(R(ToPixels(x2)), R(ToPixels(y2)));
  if (a == b) return;
  p.drawLine(a, b);
  if (impl_->w) impl_->w->update();
}

void Canvas::FillRect(double x, double y, double w, double h, Colour colour) {
  impl_->EnsureBacking();
  if (impl_->backing.isNull()) return;
  QPainter p(&impl_->backing);
  p.fillRect(QRect(R(ToPixels(x)), R(ToPixels(y)), R(ToPixels(w)), R(ToPixels(h))), ToQColor(colour));
  if (impl_->w) impl_->w->update();
}

void Canvas::PaintPicture(const Picture& picture, double dx, double dy, double dw, double dh, double sx, double sy,
                          double sw, double sh) {
  if (picture.isNull()) return;
  impl_->EnsureBacking();
  if (impl_->backing.isNull()) return;
  QImage src = ToQImage(*picture.image());
  // The source rectangle is in the picture's pixels, the destination in ours.
  QRect s(R(sx), R(sy), sw < 0 ? picture.width() : R(sw), sh < 0 ? picture.height() : R(sh));
  int w = dw < 0 ? s.width() : R(ToPixels(dw));
  int h = dh < 0 ? s.height() : R(ToPixels(dh));
  QPainter p(&impl_->backing);
  p.drawImage(QRect(R(ToPixels(dx)), R(ToPixels(dy)), w, h), src, s);
  if (impl_->w) impl_->w->update();
}

void Canvas::HoldPicture(const Picture& picture) {
  if (picture.isNull()) return;
  // A QImage over the picture's own pixels, read-only so that any drawing
  // detaches it; the copy of the Picture it carries keeps the pixels alive.
  const Image& image = *picture.image();
  // The surface takes the picture's size first, so nothing resizes (copies) it later.
  if (impl_->w) impl_->w->resize(image.width(), image.height());
  impl_->backing = QImage(reinterpret_cast<const uchar*>(image.data()), image.width(), image.height(),
                          qsizetype(image.width()) * 4, QImage::Format_RGB32,
                          [](void* held) { delete static_cast<Picture*>(held); }, new Picture(picture));
  if (impl_->w) impl_->w->update();
}

void Canvas::CopyFrom(const Canvas& source, int dx, int dy, int w, int h, int sx, int sy) {
  source.impl_->EnsureBacking();
  impl_->EnsureBacking();
  if (impl_->backing.isNull() || source.impl_->backing.isNull()) return;
  QImage copy = source.impl_->backing.copy(sx, sy, w, h);
  QPainter p(&impl_->backing);
  p.drawImage(dx, dy, copy);
  if (impl_->w) impl_->w->update();
}

void Canvas::GradientFillVertical(int x, int y, int w, int h, Colour top, Colour bottom) {
  impl_->EnsureBacking();
  if (impl_->backing.isNull() || w <= 0 || h <= 0) return;
  QPainter p(&impl_->backing);
  for (int i = 0; i < h; ++i) {
    double t = h > 1 ? double(i) / double(h - 1) : 0.0;
    QColor c(int(top.r + (bottom.r - top.r) * t + 0.5), int(top.g + (bottom.g - top.g) * t + 0.5),
             int(top.b + (bottom.b - top.b) * t + 0.5));
    p.fillRect(QRect(x, y + i, w, 1), c);
  }
  if (impl_->w) impl_->w->update();
}

bool Canvas::CopyFromScreen(int dx, int dy, int w, int h, int sx, int sy) {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return false;
  QPixmap shot = screen->grabWindow(0, sx, sy, w, h);
  if (shot.isNull()) return false;
  impl_->EnsureBacking();
  if (impl_->backing.isNull()) return false;
  QPainter p(&impl_->backing);
  p.drawPixmap(dx, dy, shot);
  if (impl_->w) impl_->w->update();
  return true;
}

void Canvas::Refresh() {
  if (impl_->w) impl_->w->repaint();
}

Image Canvas::GetImage() const {
  impl_->EnsureBacking();
  return FromQImage(impl_->backing);
}

}  // namespace qgf
