// The Win32 side of the form layer: what every Widget holds (its window and,
// for canvases, a retained 32-bit DIB section), and the helpers the form
// layer's Win32 files share.
#pragma once

#include <windows.h>

#include <string>

#include "forms/canvas.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/handler_access.h"
#include "forms/user_control.h"
#include "forms/widget.h"

namespace qgf {

enum class WidgetKind { Form, PictureBox, UserControl, Image, Label, Combo, Shape };

struct WidgetImpl {
  HWND hwnd = nullptr;
  Widget* owner = nullptr;
  WidgetKind kind = WidgetKind::Form;
  bool is_canvas = false;
  // Canvas state: the retained image as a top-down 32-bit DIB section.
  HDC mem = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old_bitmap = nullptr;
  std::uint32_t* bits = nullptr;
  int bw = 0, bh = 0;
  Colour back = Colour::Rgb(0xF0, 0xF0, 0xF0);
  Picture back_picture;
  Font font;
  HFONT hfont = nullptr;
  // Plain controls' drawing state.
  Picture picture;
  bool stretch = false;
  Colour fore = Colour::Rgb(0, 0, 0);
  bool opaque = false;  // labels: filled with `back` instead of showing the container
  Alignment align = Alignment::Left;
  bool border = false;
  bool wrap = false;
  ShapeKind shape = ShapeKind::Rectangle;
  Colour shape_border = Colour::Rgb(0, 0, 0);
  int shape_width = 1;
  bool shape_filled = false;
  Colour shape_fill;
  bool mouse_through = false;  // hit tests pass to the window below
  // Form state.
  std::wstring caption;
  BorderStyle border_style = BorderStyle::Sizable;
  bool modal_running = false;
  bool embedded = false;
  HICON icon = nullptr;
  // Pointer.
  MousePointer pointer = MousePointer::Default;
  HCURSOR custom_cursor = nullptr;
  bool own_custom_cursor = false;
  // The widget a press started on, for the click on release.
  bool pressed = false;

  ~WidgetImpl();
  void EnsureBacking();  // backing matches the client size, contents kept
  void ResetBacking();   // backing = background colour, then background picture
  void FreeBacking();
  void Invalidate() {
    if (hwnd) InvalidateRect(hwnd, nullptr, FALSE);
  }
};

// The window class behind every widget but the combo box.
const wchar_t* WidgetClassName();
HINSTANCE ModuleInstance();
// Creates the window of a control inside its container (shown, on top).
HWND CreateChild(WidgetImpl* impl, Canvas& container, const wchar_t* cls, DWORD style, DWORD ex_style = 0);

COLORREF ToColorRef(Colour c);
// The dots per inch the forms measure in. The host's manifest declares it
// DPI-unaware: Windows gives such a program 96 and scales its windows itself,
// so the forms keep their designed pixels. Wine scales nothing and tells
// every program the real figure; fixing 96 keeps the layout Windows shows.
constexpr int kFormsDpi = 96;
// A GDI font for a font description (caller owns it).
HFONT MakeFont(const Font& font);
// A 32-bit top-down DIB section holding a copy of the image; *bits receives its pixels.
HBITMAP MakeDib(HDC dc, int width, int height, std::uint32_t** bits);
// Draws the image stretched into a destination rectangle of a DC.
void StretchImage(HDC dc, const Image& image, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh);
// Paints what the container's retained image shows under the window (for see-through controls).
void PaintContainerBehind(WidgetImpl* impl, HDC dc);
HCURSOR CursorFor(MousePointer pointer);
// A pointer made of a picture (fully opaque), hot spot in pixels.
HCURSOR CursorFromPicture(const Picture& picture, int hot_x, int hot_y);

namespace App {
// The pointer over every window, or null when each widget shows its own.
HCURSOR OverrideCursor();
}  // namespace App

// Loaded forms other than `except` are disabled while a modal form shows.
void EnableOtherForms(Form* except, bool enable);

}  // namespace qgf
