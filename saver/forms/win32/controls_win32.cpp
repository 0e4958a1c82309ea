// The controls on Win32: picture boxes and user controls are canvases of
// their own window class; image, label and shape are drawn by it too; the
// combo box is the system's.
#include "forms/controls.h"
#include "forms/picture_box.h"
#include "forms/win32/widget_impl_win32.h"
#include "wide_text.h"

namespace qgf {
namespace {

WidgetImpl* NewImpl(Canvas& container, WidgetKind kind) {
  auto* impl = new WidgetImpl;
  impl->kind = kind;
  impl->is_canvas = kind == WidgetKind::PictureBox || kind == WidgetKind::UserControl;
  impl->font = container.GetFont();
  impl->hfont = MakeFont(impl->font);
  impl->border_style = BorderStyle::None;
  CreateChild(impl, container, WidgetClassName(), impl->is_canvas ? WS_CLIPCHILDREN : 0);
  return impl;
}

WidgetImpl* NewComboImpl(Canvas& container) {
  auto* impl = new WidgetImpl;
  impl->kind = WidgetKind::Combo;
  impl->font = container.GetFont();
  impl->hfont = MakeFont(impl->font);
  HWND h = CreateChild(impl, container, L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL);
  if (h) SendMessageW(h, WM_SETFONT, WPARAM(impl->hfont), TRUE);
  return impl;
}

}  // namespace

// Picture box.

PictureBox::PictureBox(Canvas& container) : Canvas(&container, NewImpl(container, WidgetKind::PictureBox)) {}
PictureBox::~PictureBox() = default;

void PictureBox::SetBorderStyle(BorderStyle style) {
  impl_->border_style = style;
  impl_->Invalidate();
}

void PictureBox::SetPicture(const Picture& picture) {
  picture_ = picture;
  if (!impl_->hwnd || picture.isNull()) return;
  SetWindowPos(impl_->hwnd, nullptr, 0, 0, picture.width(), picture.height(),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetBackPicture(picture);
}

// User control.

UserControl::UserControl(Canvas& container) : Canvas(&container, NewImpl(container, WidgetKind::UserControl)) {
  scale_mode_ = ScaleMode::Pixels;
}
UserControl::~UserControl() = default;

Font UserControl::AmbientFont() const { return container_ ? container_->GetFont() : Font(); }

WindowId UserControl::HostFormHandle() { return impl_->hwnd ? WindowId(GetAncestor(impl_->hwnd, GA_ROOT)) : 0; }

// Image.

ImageControl::ImageControl(Canvas& container) : Widget(&container, NewImpl(container, WidgetKind::Image)) {}
ImageControl::~ImageControl() = default;

void ImageControl::SetPicture(const Picture& picture) {
  picture_ = picture;
  impl_->picture = picture;
  if (impl_->hwnd && !stretch_ && !picture.isNull())
    SetWindowPos(impl_->hwnd, nullptr, 0, 0, picture.width(), picture.height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  impl_->Invalidate();
}

void ImageControl::SetStretch(bool stretch) {
  stretch_ = stretch;
  impl_->stretch = stretch;
  impl_->Invalidate();
}

// Label.

Label::Label(Canvas& container) : Widget(&container, NewImpl(container, WidgetKind::Label)) {}
Label::~Label() = default;

void Label::SetCaption(const std::string& caption) {
  impl_->caption = qg::win32::Utf8ToWide(caption);
  impl_->Invalidate();
}
std::string Label::Caption() const { return qg::win32::WideToUtf8(impl_->caption); }

void Label::SetFont(const Font& font) {
  impl_->font = font;
  if (impl_->hfont) DeleteObject(impl_->hfont);
  impl_->hfont = MakeFont(font);
  impl_->Invalidate();
}
Font Label::GetFont() const { return impl_->font; }

void Label::SetForeColour(Colour c) {
  fore_ = c;
  impl_->fore = c;
  impl_->Invalidate();
}
Colour Label::ForeColour() const { return fore_; }

void Label::SetBackColour(Colour c) {
  impl_->back = c;
  impl_->opaque = true;
  impl_->Invalidate();
}

void Label::SetTransparent(bool transparent) {
  impl_->opaque = !transparent;
  impl_->Invalidate();
}

void Label::SetAlignment(Alignment a) {
  impl_->align = a;
  impl_->Invalidate();
}

void Label::SetBorder(bool single) {
  impl_->border = single;
  impl_->Invalidate();
}

void Label::SetWordWrap(bool wrap) {
  impl_->wrap = wrap;
  impl_->Invalidate();
}

// Combo box.

ComboBox::ComboBox(Canvas& container) : Widget(&container, NewComboImpl(container)) {}
ComboBox::~ComboBox() = default;

void ComboBox::SetText(const std::string& text) {
  if (impl_->hwnd) SetWindowTextW(impl_->hwnd, qg::win32::Utf8ToWide(text).c_str());
}

std::string ComboBox::Text() const {
  if (!impl_->hwnd) return {};
  const int n = GetWindowTextLengthW(impl_->hwnd);
  std::wstring w(std::size_t(n) + 1, L'\0');
  const int got = GetWindowTextW(impl_->hwnd, &w[0], n + 1);
  w.resize(std::size_t(got > 0 ? got : 0));
  return qg::win32::WideToUtf8(w);
}

void ComboBox::AddItem(const std::string& item) {
  if (!impl_->hwnd) return;
  // Adding an item leaves the edit text as it is.
  const std::string keep = Text();
  SendMessageW(impl_->hwnd, CB_ADDSTRING, 0, LPARAM(qg::win32::Utf8ToWide(item).c_str()));
  SetText(keep);
}

void ComboBox::Clear() {
  if (!impl_->hwnd) return;
  SendMessageW(impl_->hwnd, CB_RESETCONTENT, 0, 0);
  SetWindowTextW(impl_->hwnd, L"");
}

int ComboBox::ListCount() const {
  if (!impl_->hwnd) return 0;
  const LRESULT n = SendMessageW(impl_->hwnd, CB_GETCOUNT, 0, 0);
  return n < 0 ? 0 : int(n);
}

std::string ComboBox::List(int index) const {
  if (!impl_->hwnd || index < 0 || index >= ListCount()) return {};
  const LRESULT len = SendMessageW(impl_->hwnd, CB_GETLBTEXTLEN, WPARAM(index), 0);
  if (len < 0) return {};
  std::wstring w(std::size_t(len) + 1, L'\0');
  SendMessageW(impl_->hwnd, CB_GETLBTEXT, WPARAM(index), LPARAM(&w[0]));
  w.resize(std::size_t(len));
  return qg::win32::WideToUtf8(w);
}

void ComboBox::SetFont(const Font& font) {
  impl_->font = font;
  if (impl_->hfont) DeleteObject(impl_->hfont);
  impl_->hfont = MakeFont(font);
  if (impl_->hwnd) SendMessageW(impl_->hwnd, WM_SETFONT, WPARAM(impl_->hfont), TRUE);
}

// Shape.

Shape::Shape(Canvas& container) : Widget(&container, NewImpl(container, WidgetKind::Shape)) {}
Shape::~Shape() = default;

void Shape::SetKind(ShapeKind kind) {
  impl_->shape = kind;
  impl_->Invalidate();
}
void Shape::SetBorderColour(Colour c) {
  impl_->shape_border = c;
  impl_->Invalidate();
}
void Shape::SetBorderWidth(int pixels) {
  impl_->shape_width = pixels < 1 ? 1 : pixels;
  impl_->Invalidate();
}
void Shape::SetFilled(bool filled, Colour fill) {
  impl_->shape_filled = filled;
  impl_->shape_fill = fill;
  impl_->Invalidate();
}

}  // namespace qgf
