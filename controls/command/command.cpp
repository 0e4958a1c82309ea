#include "command.h"

#include <array>
#include <cmath>

#include "forms/image.h"

namespace Wobblevista {

namespace {

// The six hidden picture holders, shared by every instance.
const std::array<qgf::Picture, kLookCount>& StatePictures() {
  static const std::array<qgf::Picture, kLookCount> pictures = {
      qgf::LoadPicture(":/command/command_normal.bmp"),   qgf::LoadPicture(":/command/command_highlight.bmp"),
      qgf::LoadPicture(":/command/command_pressed.bmp"),  qgf::LoadPicture(":/command/command_selected.bmp"),
      qgf::LoadPicture(":/command/command_highlightselect.bmp"), qgf::LoadPicture(":/command/command_disable.bmp")};
  return pictures;
}

int Round(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

FontSpec ToFontSpec(const qgf::Font& f) {
  return FontSpec{f.name, f.size, f.bold ? std::max(700, f.weight) : f.weight, f.italic, f.underline, f.strikeout,
                  f.charset};
}

qgf::Font ToFormFont(const FontSpec& f) {
  qgf::Font q;
  q.name = f.face;
  q.size = f.points;
  q.weight = f.weight;
  q.bold = f.weight >= 700;
  q.italic = f.italic;
  q.underline = f.underline;
  q.strikeout = f.strikethrough;
  q.charset = f.charset;
  return q;
}

Command::Command(qgf::Canvas& container)
    : qgf::UserControl(container), LblMsg(*this), logic_(*this, *this) {
  // The face geometry is worked out in twips, as the control's size is given.
  SetScaleMode(qgf::ScaleMode::Twips);
  LblMsg.SetTransparent(true);
  PassCaptionMouseThrough(LblMsg);
  LblMsg.SetAlignment(qgf::Alignment::Centre);
  LblMsg.SetCaption("Command");
  LblMsg.SetForeColour(qgf::Colour{});
  LblMsg.SetFont(UserControl::AmbientFont());
  LblMsg.Move(0, 0, ScaleWidth(), 195);
  TmrMouse.SetInterval(100);
  TmrMouse.SetEnabled(false);
  TmrMouse.onTick = [this] { logic_.OnMouseTimer(PointerOver()); };
}

Command::~Command() { TmrMouse.onTick = nullptr; }

qgf::Font Command::Font() const { return ToFormFont(logic_.Font()); }
void Command::SetFont(const qgf::Font& font) { logic_.SetFont(ToFontSpec(font)); }

void Command::OnInitProperties() { logic_.Enabled(); }

MouseButton Command::ButtonOf(const qgf::MouseArgs& a) {
  if (a.button & qgf::LeftButton) return MouseButton::Left;
  if (a.button & qgf::RightButton) return MouseButton::Right;
  if (a.button & qgf::MiddleButton) return MouseButton::Middle;
  return MouseButton::Other;
}

bool Command::PointerOver() { return PointerOverCommand(*this, LblMsg); }

std::string Command::CaptionText() const { return LblMsg.Caption(); }
void Command::SetCaptionText(const std::string& text) { LblMsg.SetCaption(text); }
FontSpec Command::CaptionFont() const { return ToFontSpec(LblMsg.GetFont()); }
void Command::SetCaptionFont(const FontSpec& font) { LblMsg.SetFont(ToFormFont(font)); }
std::uint32_t Command::CaptionColour() const { return LblMsg.ForeColour().ToBgr(); }
void Command::SetCaptionColour(std::uint32_t bgr) { LblMsg.SetForeColour(qgf::Colour::FromBgr(bgr)); }
void Command::SetCaptionEnabled(bool enabled) { LblMsg.SetEnabled(enabled); }

void Command::SetFaceOpaque(bool opaque) {
  opaque_ = opaque;
  if (!opaque_) {
    Clear();
    Refresh();
  }
}

void Command::StartMouseTimer() {
  TmrMouse.SetInterval(100);
  TmrMouse.SetEnabled(true);
}

FontSpec Command::AmbientFont() const { return ToFontSpec(UserControl::AmbientFont()); }

int Command::WidthTwips() const { return Round(ScaleWidth()); }
int Command::HeightTwips() const { return Round(ScaleHeight()); }
int Command::WidthPixels() const { return Round(ToPixels(ScaleWidth())); }
int Command::HeightPixels() const { return Round(ToPixels(ScaleHeight())); }

void Command::Clear() {
  Cls();
  if (opaque_) return;
  // A transparent face shows what its container has drawn behind it.
  if (const qgf::Canvas* c = Container())
    CopyFrom(*c, 0, 0, WidthPixels(), HeightPixels(), Round(c->ToPixels(Left())), Round(c->ToPixels(Top())));
}

void Command::PaintPicture(Look picture, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh) {
  if (!opaque_) return;
  const qgf::Picture& p = StatePictures()[static_cast<int>(picture)];
  // Source rectangles are given in twips like the destination; the layer
  // takes them in the picture's own pixels.
  qgf::Canvas::PaintPicture(p, dx, dy, dw, dh, Round(ToPixels(sx)), Round(ToPixels(sy)), Round(ToPixels(sw)),
                            Round(ToPixels(sh)));
}

bool Command::HasPicture(Look picture) const { return !StatePictures()[static_cast<int>(picture)].isNull(); }

void Command::FillVerticalGradient(int x0, int y0, int x1, int y1, Colour16 top, Colour16 bottom) {
  if (!opaque_) return;
  auto c8 = [](Colour16 c) {
    return qgf::Colour::Rgb(std::uint8_t(c.red >> 8), std::uint8_t(c.green >> 8), std::uint8_t(c.blue >> 8));
  };
  GradientFillVertical(x0, y0, x1 - x0, y1 - y0, c8(top), c8(bottom));
}

int Command::CaptionHeightTwips() const { return Round(LblMsg.Height()); }

void Command::PlaceCaption(double top, double left, double width) { LblMsg.Move(left, top, width, -1); }

}  // namespace Wobblevista
