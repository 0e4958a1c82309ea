// Plain value types shared by every part of the form layer. No toolkit types
// appear here, so the forms compile unchanged over any implementation.
#pragma once

#include <cstdint>
#include <string>

namespace qgf {

// A native window: an X window id on X11, an HWND on Windows. 0 = none.
using WindowId = std::uintptr_t;

// A colour as red, green, blue bytes.
struct Colour {
  std::uint8_t r = 0, g = 0, b = 0;
  static constexpr Colour Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return Colour{r, g, b}; }
  // From the &HBBGGRR form that colour properties are stored in.
  static constexpr Colour FromBgr(std::uint32_t bgr) {
    return Colour{std::uint8_t(bgr & 0xFF), std::uint8_t((bgr >> 8) & 0xFF), std::uint8_t((bgr >> 16) & 0xFF)};
  }
  constexpr std::uint32_t ToBgr() const { return std::uint32_t(r) | (std::uint32_t(g) << 8) | (std::uint32_t(b) << 16); }
  constexpr bool operator==(const Colour& o) const { return r == o.r && g == o.g && b == o.b; }
  constexpr bool operator!=(const Colour& o) const { return !(*this == o); }
};

struct Point {
  int x = 0, y = 0;
};

// Screen or window rectangle in pixels, as left/top/right/bottom.
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

// The unit in which a container measures its children and draws.
enum class ScaleMode { Twips, Pixels };

enum class BorderStyle {
  None,         // no frame, no caption bar
  FixedSingle,  // fixed-size window with a caption bar; for controls a thin frame
  Sizable,
  FixedDialog,
};

// The pointer shown over a control or, application-wide, over every window.
enum class MousePointer { Default, Arrow, Hourglass, Hand, Custom };

// Mouse buttons and shift state as the events report them (bit sets).
enum MouseButtons : int { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
enum ShiftState : int { ShiftMask = 1, CtrlMask = 2, AltMask = 4 };

struct MouseArgs {
  int button = 0;  // MouseButtons bits
  int shift = 0;   // ShiftState bits
  double x = 0;    // in the control's own scale (the container's for plain controls)
  double y = 0;
};

// Why a form is being unloaded, as query-unload handlers see it.
enum class UnloadMode { ControlMenu = 0, Code = 1, WindowsSession = 2, TaskManager = 3 };

// A font description; the platform picks the closest face it has.
struct Font {
  std::string name = "ＭＳ Ｐゴシック";  // UTF-8
  double size = 9.0;                        // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  int weight = 400;
  int charset = 128;  // 128 = Shift-JIS
  bool operator==(const Font& o) const {
    return name == o.name && size == o.size && bold == o.bold && italic == o.italic && underline == o.underline &&
           strikeout == o.strikeout && weight == o.weight && charset == o.charset;
  }
  bool operator!=(const Font& o) const { return !(*this == o); }
};

}  // namespace qgf
