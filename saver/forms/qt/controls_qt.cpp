// The controls over Qt widgets: picture box, user control, image, label,
// combo box, shape.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include "forms/controls.h"
#include "forms/picture_box.h"
#include "forms/qt/widget_impl.h"

namespace qgf {
namespace {

QWidget* ParentOf(Canvas& c) { return c.impl() ? c.impl()->w.data() : nullptr; }

template <class Base>
class Hooked : public Base {
 public:
  Hooked(WidgetImpl* i, QWidget* parent) : Base(parent), impl(i) {}
  WidgetImpl* impl;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    DeliverMouse(impl, e, 0);
    Base::mousePressEvent(e);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    DeliverMouse(impl, e, 1);
    Base::mouseMoveEvent(e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    DeliverMouse(impl, e, 2);
    Base::mouseReleaseEvent(e);
  }
};

class ImageWidget : public Hooked<QWidget> {
 public:
  using Hooked::Hooked;
  QImage image;
  bool stretch = false;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (image.isNull()) return;
    QPainter p(this);
    // Enlarged smoothly on a scaled desktop; at 1 as it always was (the
    // preview's stretch too).
    p.setRenderHint(QPainter::SmoothPixmapTransform, devicePixelRatioF() != 1);
    if (stretch) p.drawImage(rect(), image);
    else p.drawImage(0, 0, image);
  }
};

class ShapeWidget : public QWidget {
 public:
  explicit ShapeWidget(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }
  ShapeKind kind = ShapeKind::Rectangle;
  QColor border = Qt::black;
  int border_width = 1;
  bool filled = false;
  QColor fill;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QRect r = rect().adjusted(0, 0, -1, -1);
    if (kind == ShapeKind::Square || kind == ShapeKind::Circle) {
      int side = std::min(r.width(), r.height());
      r = QRect(r.x() + (r.width() - side) / 2, r.y() + (r.height() - side) / 2, side, side);
    }
    p.setBrush(filled ? QBrush(fill) : Qt::NoBrush);
    if (kind == ShapeKind::Oval || kind == ShapeKind::Circle) {
      p.setPen(QPen(border, border_width));
      p.drawEllipse(r);
      return;
    }
    p.setPen(Qt::NoPen);
    if (filled) p.drawRect(r);
    // The edges as strips where the pen would draw them at 1: a pen widened
    // to the desktop's scale would sit half a pixel off the designed place.
    const qreal b = border_width, in = 0.5 - b / 2;
    const qreal left = r.x() + in, top = r.y() + in, right = r.x() + r.width() + in, bottom = r.y() + r.height() + in;
    p.fillRect(QRectF(left, top, right - left + b, b), border);
    p.fillRect(QRectF(left, bottom, right - left + b, b), border);
    p.fillRect(QRectF(left, top, b, bottom - top + b), border);
    p.fillRect(QRectF(right, top, b, bottom - top + b), border);
  }
};

WidgetImpl* NewCanvasImpl(Canvas& container, bool user_control) {
  auto* impl = new WidgetImpl;
  impl->is_user_control = user_control;
  impl->w = new CanvasWidget(impl, ParentOf(container));
  impl->font = container.GetFont();
  impl->w->setFont(ToQFont(impl->font));
  impl->w->show();
  return impl;
}

template <class W>
WidgetImpl* NewImpl(Canvas& container) {
  auto* impl = new WidgetImpl;
  impl->w = new W(impl, ParentOf(container));
  impl->w->setFont(ToQFont(container.GetFont()));
  impl->w->show();
  return impl;
}

WidgetImpl* NewShapeImpl(Canvas& container) {
  auto* impl = new WidgetImpl;
  impl->w = new ShapeWidget(ParentOf(container));
  impl->w->show();
  return impl;
}

}  // namespace

// Picture box.

PictureBox::PictureBox(Canvas& container) : Canvas(&container, NewCanvasImpl(container, false)) {}
PictureBox::~PictureBox() = default;

void PictureBox::SetBorderStyle(BorderStyle style) {
  auto* w = impl_->w.data();
  if (!w) return;
  w->setContentsMargins(0, 0, 0, 0);
  w->setStyleSheet(style == BorderStyle::None ? QString() : QStringLiteral("border: 1px solid #808080;"));
}

void PictureBox::SetPicture(const Picture& picture) {
  picture_ = picture;
  if (!impl_->w || picture.isNull()) return;
  impl_->w->resize(picture.width(), picture.height());
  SetBackPicture(picture);
}

// User control.

UserControl::UserControl(Canvas& container) : Canvas(&container, NewCanvasImpl(container, true)) {
  scale_mode_ = ScaleMode::Pixels;
  if (impl_->w) impl_->w->setFocusPolicy(Qt::StrongFocus);
}
UserControl::~UserControl() = default;

Font UserControl::AmbientFont() const { return container_ ? container_->GetFont() : Font(); }

WindowId UserControl::HostFormHandle() {
  if (!impl_->w) return 0;
  QWidget* top = impl_->w->window();
  return top ? WindowId(top->winId()) : 0;
}

// Image.

ImageControl::ImageControl(Canvas& container) : Widget(&container, NewImpl<ImageWidget>(container)) {}
ImageControl::~ImageControl() = default;

void ImageControl::SetPicture(const Picture& picture) {
  picture_ = picture;
  auto* w = static_cast<ImageWidget*>(impl_->w.data());
  if (!w) return;
  w->image = picture.isNull() ? QImage() : ToQImage(*picture.image());
  if (!stretch_ && !picture.isNull()) w->resize(picture.width(), picture.height());
  w->update();
}

void ImageControl::SetStretch(bool stretch) {
  stretch_ = stretch;
  if (auto* w = static_cast<ImageWidget*>(impl_->w.data())) {
    w->stretch = stretch;
    w->update();
  }
}

// Label.

namespace {
QLabel* L(WidgetImpl* i) { return static_cast<QLabel*>(i->w.data()); }
}  // namespace

Label::Label(Canvas& container) : Widget(&container, NewImpl<Hooked<QLabel>>(container)) {
  if (QLabel* l = L(impl_)) {
    l->setAutoFillBackground(false);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
}
Label::~Label() = default;

void Label::SetCaption(const std::string& caption) {
  if (QLabel* l = L(impl_)) l->setText(QString::fromUtf8(caption.c_str()));
}
std::string Label::Caption() const { return L(impl_) ? L(impl_)->text().toStdString() : std::string(); }

void Label::SetFont(const Font& font) {
  impl_->font = font;
  if (QLabel* l = L(impl_)) l->setFont(ToQFont(font));
}
Font Label::GetFont() const { return impl_->font; }

void Label::SetForeColour(Colour c) {
  QLabel* l = L(impl_);
  if (!l) return;
  QPalette pal = l->palette();
  pal.setColor(QPalette::Active, QPalette::WindowText, ToQColor(c));
  pal.setColor(QPalette::Inactive, QPalette::WindowText, ToQColor(c));
  l->setPalette(pal);
  fore_ = c;
}
Colour Label::ForeColour() const { return fore_; }

void Label::SetBackColour(Colour c) {
  QLabel* l = L(impl_);
  if (!l) return;
  QPalette pal = l->palette();
  pal.setColor(QPalette::Window, ToQColor(c));
  l->setPalette(pal);
  l->setAutoFillBackground(true);
}

void Label::SetTransparent(bool transparent) {
  if (QLabel* l = L(impl_)) l->setAutoFillBackground(!transparent);
}

void Label::SetAlignment(Alignment a) {
  QLabel* l = L(impl_);
  if (!l) return;
  Qt::Alignment h = a == Alignment::Centre ? Qt::AlignHCenter : a == Alignment::Right ? Qt::AlignRight : Qt::AlignLeft;
  l->setAlignment(h | Qt::AlignTop);
}

void Label::SetBorder(bool single) {
  if (QLabel* l = L(impl_)) l->setFrameStyle(single ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
}

void Label::SetWordWrap(bool wrap) {
  if (QLabel* l = L(impl_)) l->setWordWrap(wrap);
}

// Combo box.

namespace {
QComboBox* C(WidgetImpl* i) { return static_cast<QComboBox*>(i->w.data()); }
}  // namespace

ComboBox::ComboBox(Canvas& container) : Widget(&container, NewImpl<Hooked<QComboBox>>(container)) {
  if (QComboBox* c = C(impl_)) {
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
  }
}
ComboBox::~ComboBox() = default;

void ComboBox::SetText(const std::string& text) {
  if (QComboBox* c = C(impl_)) c->setEditText(QString::fromUtf8(text.c_str()));
}
std::string ComboBox::Text() const { return C(impl_) ? C(impl_)->currentText().toStdString() : std::string(); }

void ComboBox::AddItem(const std::string& item) {
  QComboBox* c = C(impl_);
  if (!c) return;
  // Adding an item must not change the edit text.
  QString keep = c->currentText();
  c->addItem(QString::fromUtf8(item.c_str()));
  c->setEditText(keep);
}

void ComboBox::Clear() {
  if (QComboBox* c = C(impl_)) c->clear();
}
int ComboBox::ListCount() const { return C(impl_) ? C(impl_)->count() : 0; }
std::string ComboBox::List(int index) const {
  QComboBox* c = C(impl_);
  if (!c || index < 0 || index >= c->count()) return {};
  return c->itemText(index).toStdString();
}
void ComboBox::SetFont(const Font& font) {
  if (QComboBox* c = C(impl_)) c->setFont(ToQFont(font));
}

// Shape.

namespace {
ShapeWidget* S(WidgetImpl* i) { return static_cast<ShapeWidget*>(i->w.data()); }
}  // namespace

Shape::Shape(Canvas& container) : Widget(&container, NewShapeImpl(container)) {}
Shape::~Shape() = default;

void Shape::SetKind(ShapeKind kind) {
  if (auto* s = S(impl_)) s->kind = kind, s->update();
}
void Shape::SetBorderColour(Colour c) {
  if (auto* s = S(impl_)) s->border = ToQColor(c), s->update();
}
void Shape::SetBorderWidth(int pixels) {
  if (auto* s = S(impl_)) s->border_width = pixels < 1 ? 1 : pixels, s->update();
}
void Shape::SetFilled(bool filled, Colour fill) {
  if (auto* s = S(impl_)) s->filled = filled, s->fill = ToQColor(fill), s->update();
}

}  // namespace qgf
