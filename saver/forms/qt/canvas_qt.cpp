// Canvas: a retained backing image behind forms, picture boxes and user
// controls; drawing goes into it and painting shows it.
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QtMath>

#include <algorithm>

#include "forms/application.h"
#include "forms/qt/widget_impl.h"

namespace qgf {

qreal WidgetImpl::Ratio() const { return w ? w->devicePixelRatioF() : 1.0; }

void WidgetImpl::EnsureBacking() {
  if (!w) return;
  // In the device's pixels: what code draws stays sharp on a scaled desktop.
  const qreal ratio = Ratio();
  const QSize size(qCeil(w->width() * ratio), qCeil(w->height() * ratio));
  if (backing.size() == size && backing.devicePixelRatio() == ratio) return;
  QImage next(size.expandedTo(QSize(0, 0)), QImage::Format_RGB32);
  if (next.isNull()) {
    backing = QImage();
    return;
  }
  next.setDevicePixelRatio(ratio);
  next.fill(ToQColor(back));
  QPainter p(&next);
  p.setRenderHint(QPainter::SmoothPixmapTransform, ratio != 1);
  if (!back_picture.isNull()) p.drawImage(0, 0, ToQImage(*back_picture.image()));
  if (!backing.isNull()) p.drawImage(0, 0, backing);
  p.end();
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
  p.setRenderHint(QPainter::SmoothPixmapTransform, devicePixelRatioF() != 1);
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

double Canvas::DeviceScale() const { return impl_->Ratio(); }

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

// The backing's own pixels, to draw on in device pixels.
QImage DevicePixels(QImage& backing) {
  return QImage(backing.bits(), backing.width(), backing.height(), backing.bytesPerLine(), backing.format());
}

// The device pixels an area of the surface's pixels covers (edges at any fraction).
QRect OnDevice(double left, double top, double right, double bottom, qreal ratio) {
  return QRect(QPoint(R(left * ratio), R(top * ratio)), QPoint(R(right * ratio) - 1, R(bottom * ratio) - 1));
}
}  // namespace

void Canvas::Line(double x1, double y1, double x2, double y2, Colour colour) {
  impl_->EnsureBacking();
  if (impl_->backing.isNull()) return;
  QPointF a(R(ToPixels(x1)), R(ToPixels(y1))), b(R(ToPixels(x2)), R(ToPixels(y2)));
  if (a == b) return;
  if (a.x() == b.x() || a.y() == b.y()) {
    // Along a row or a column: every pixel from end to end, as a one-pixel
    // pen draws it, each a whole square of device pixels on a scaled desktop.
    QImage device = DevicePixels(impl_->backing);
    QPainter p(&device);
    p.fillRect(OnDevice(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()) + 1,
                        std::max(a.y(), b.y()) + 1, impl_->backing.devicePixelRatio()),
               ToQColor(colour));
  } else {
    QPainter p(&impl_->backing);
    p.setPen(QPen(ToQColor(colour), 1));
    p.drawLine(a, b);
  }
  if (impl_->w) impl_->w->update();
}

void Canvas::FillRect(double x, double y, double w, double h, Colour colour) {
  impl_->EnsureBacking();
  if (impl_->backing.isNull()) return;
  QImage device = DevicePixels(impl_->backing);
  QPainter p(&device);
  const double left = ToPixels(x), top = ToPixels(y);
  p.fillRect(OnDevice(left, top, left + ToPixels(w), top + ToPixels(h), impl_->backing.devicePixelRatio()),
             ToQColor(colour));
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
  // Enlarged smoothly on a scaled desktop; at its own size as it always was.
  p.setRenderHint(QPainter::SmoothPixmapTransform, impl_->backing.devicePixelRatio() != 1);
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
  if (impl_->Ratio() != 1) {  // a surface of more device pixels than the picture has
    impl_->ResetBacking();
    PaintPicture(picture, 0, 0);
    return;
  }
  impl_->backing = QImage(reinterpret_cast<const uchar*>(image.data()), image.width(), image.height(),
                          qsizetype(image.width()) * 4, QImage::Format_RGB32,
                          [](void* held) { delete static_cast<Picture*>(held); }, new Picture(picture));
  if (impl_->w) impl_->w->update();
}

void Canvas::CopyFrom(const Canvas& source, int dx, int dy, int w, int h, int sx, int sy) {
  source.impl_->EnsureBacking();
  impl_->EnsureBacking();
  if (impl_->backing.isNull() || source.impl_->backing.isNull()) return;
  const qreal ratio = source.impl_->backing.devicePixelRatio();
  QImage copy = source.impl_->backing.copy(OnDevice(sx, sy, sx + w, sy + h, ratio));
  copy.setDevicePixelRatio(ratio);
  QPainter p(&impl_->backing);
  p.drawImage(QPointF(dx, dy), copy);
  if (impl_->w) impl_->w->update();
}

void Canvas::GradientFillVertical(int x, int y, int w, int h, Colour top, Colour bottom) {
  impl_->EnsureBacking();
  if (impl_->backing.isNull() || w <= 0 || h <= 0) return;
  // One step per device row: smooth on a scaled desktop too.
  const QRect area = OnDevice(x, y, x + w, y + h, impl_->backing.devicePixelRatio());
  QImage device = DevicePixels(impl_->backing);
  QPainter p(&device);
  const int rows = area.height();
  for (int i = 0; i < rows; ++i) {
    double t = rows > 1 ? double(i) / double(rows - 1) : 0.0;
    QColor c(int(top.r + (bottom.r - top.r) * t + 0.5), int(top.g + (bottom.g - top.g) * t + 0.5),
             int(top.b + (bottom.b - top.b) * t + 0.5));
    p.fillRect(QRect(area.left(), area.top() + i, area.width(), 1), c);
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
