#include "x11_message_box.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>
#include <algorithm>
#include <chrono>
#include <poll.h>
#include <thread>
#include <vector>

namespace {

constexpr int kMargin = 20;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 26;
constexpr int kMinWidth = 220;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line.push_back(c);
    }
  }
  if (!line.empty() || lines.empty()) lines.push_back(line);
  return lines;
}

struct BoxGeometry {
  int width = 0, height = 0;
  int lineHeight = 0, ascent = 0;
  XRectangle button = {};
};

Bool IsEventFor(Display*, XEvent* event, XPointer arg) {
  return event->xany.window == *reinterpret_cast<Window*>(arg);
}

void Draw(Display* display, Window box, GC gc, XFontStruct* font, const std::vector<std::string>& lines,
          const BoxGeometry& g, bool pressed) {
  const int screen = DefaultScreen(display);
  const unsigned long black = BlackPixel(display, screen), white = WhitePixel(display, screen);
  XSetForeground(display, gc, white);
  XFillRectangle(display, box, gc, 0, 0, static_cast<unsigned>(g.width), static_cast<unsigned>(g.height));
  XSetForeground(display, gc, black);
  int y = kMargin + g.ascent;
  for (const std::string& line : lines) {
    XDrawString(display, box, gc, kMargin, y, line.data(), static_cast<int>(line.size()));
    y += g.lineHeight;
  }
  // The button: a frame, filled while pressed, with its label centred.
  const XRectangle& b = g.button;
  if (pressed) XFillRectangle(display, box, gc, b.x, b.y, b.width, b.height);
  else XDrawRectangle(display, box, gc, b.x, b.y, b.width - 1u, b.height - 1u);
  XDrawRectangle(display, box, gc, b.x - 2, b.y - 2, b.width + 3u, b.height + 3u);  // the default button's ring
  const char* label = "OK";
  const int labelWidth = font ? XTextWidth(font, label, 2) : 12;
  XSetForeground(display, gc, pressed ? white : black);
  XDrawString(display, box, gc, b.x + (b.width - labelWidth) / 2, b.y + (b.height + g.ascent) / 2 - 1, label, 2);
  XFlush(display);
}

bool Inside(const XRectangle& r, int x, int y) {
  return x >= r.x && y >= r.y && x < r.x + r.width && y < r.y + r.height;
}

}  // namespace

void ShowX11MessageBox(Display* display, Window owner, const std::string& caption, const std::string& text,
                       const std::function<bool()>& stop) {
  const int screen = DefaultScreen(display);
  const Window root = RootWindow(display, screen);
  const std::vector<std::string> lines = SplitLines(text);

  XFontStruct* font = XLoadQueryFont(display, "fixed");
  BoxGeometry g;
  g.ascent = font ? font->ascent : 11;
  g.lineHeight = font ? font->ascent + font->descent + 2 : 15;
  int textWidth = 0;
  for (const std::string& line : lines)
    textWidth = std::max(textWidth, font ? XTextWidth(font, line.data(), static_cast<int>(line.size()))
                                         : static_cast<int>(line.size()) * 6);
  g.width = std::min(std::max(kMinWidth, textWidth + 2 * kMargin), DisplayWidth(display, screen));
  const int textHeight = g.lineHeight * static_cast<int>(lines.size());
  g.height = kMargin + textHeight + kMargin + kButtonHeight + kMargin;
  g.button.x = static_cast<short>((g.width - kButtonWidth) / 2);
  g.button.y = static_cast<short>(g.height - kMargin - kButtonHeight);
  g.button.width = kButtonWidth;
  g.button.height = kButtonHeight;

  // Centred over the owner (the show covers the screen's top-left corner).
  int areaX = 0, areaY = 0, areaW = DisplayWidth(display, screen), areaH = DisplayHeight(display, screen);
  XWindowAttributes ownerAttributes;
  if (owner && XGetWindowAttributes(display, owner, &ownerAttributes)) {
    areaX = ownerAttributes.x;
    areaY = ownerAttributes.y;
    areaW = ownerAttributes.width;
    areaH = ownerAttributes.height;
  }
  const int x = areaX + std::max(0, (areaW - g.width) / 2), y = areaY + std::max(0, (areaH - g.height) / 2);

  XSetWindowAttributes attributes = {};
  attributes.background_pixel = WhitePixel(display, screen);
  attributes.border_pixel = BlackPixel(display, screen);
  attributes.event_mask = ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;
  const Cursor arrow = XCreateFontCursor(display, XC_left_ptr);
  attributes.cursor = arrow;
  const Window box = XCreateWindow(display, root, x, y, static_cast<unsigned>(g.width),
                                   static_cast<unsigned>(g.height), 1, CopyFromParent, InputOutput, CopyFromParent,
                                   CWBackPixel | CWBorderPixel | CWEventMask | CWCursor, &attributes);

  XStoreName(display, box, caption.c_str());
  XChangeProperty(display, box, XInternAtom(display, "_NET_WM_NAME", False), XInternAtom(display, "UTF8_STRING", False),
                  8, PropModeReplace, reinterpret_cast<const unsigned char*>(caption.data()),
                  static_cast<int>(caption.size()));
  char resName[] = "quiverglide-error", resClass[] = "Quiverglide";
  XClassHint classHint = {resName, resClass};
  XSetClassHint(display, box, &classHint);
  if (owner) XSetTransientForHint(display, box, owner);
  XSizeHints sizeHints = {};
  sizeHints.flags = PPosition | PSize | PMinSize | PMaxSize;
  sizeHints.x = x;
  sizeHints.y = y;
  sizeHints.width = sizeHints.min_width = sizeHints.max_width = g.width;
  sizeHints.height = sizeHints.min_height = sizeHints.max_height = g.height;
  XSetWMNormalHints(display, box, &sizeHints);
  const Atom dialogType = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  XChangeProperty(display, box, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&dialogType), 1);
  const Atom states[2] = {XInternAtom(display, "_NET_WM_STATE_MODAL", False),
                          XInternAtom(display, "_NET_WM_STATE_ABOVE", False)};
  XChangeProperty(display, box, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(states), 2);
  Atom wmDelete = XInternAtom(display, "WM_DELETE_WINDOW", False);
  const Atom wmProtocols = XInternAtom(display, "WM_PROTOCOLS", False);
  XSetWMProtocols(display, box, &wmDelete, 1);

  GC gc = XCreateGC(display, box, 0, nullptr);
  if (font) XSetFont(display, gc, font->fid);
  XMapRaised(display, box);
  XFlush(display);

  // Take the keyboard from the show while the box is up.
  bool grabbed = false;
  bool mapped = false;
  bool pressed = false;
  bool done = false;
  Window boxId = box;
  const int fd = ConnectionNumber(display);
  while (!done) {
    if (stop && stop()) break;
    if (mapped && !grabbed) {
      XSetInputFocus(display, box, RevertToParent, CurrentTime);
      grabbed = XGrabKeyboard(display, box, True, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
    }
    XEvent event;
    if (!XCheckIfEvent(display, &event, IsEventFor, reinterpret_cast<XPointer>(&boxId))) {
      struct pollfd p = {fd, POLLIN, 0};
      poll(&p, 1, grabbed || !mapped ? 50 : 10);
      continue;
    }
    switch (event.type) {
      case MapNotify:
        mapped = true;
        XRaiseWindow(display, box);
        break;
      case Expose:
        if (event.xexpose.count == 0) Draw(display, box, gc, font, lines, g, pressed);
        break;
      case KeyPress: {
        const KeySym sym = XLookupKeysym(&event.xkey, 0);
        if (sym == XK_Return || sym == XK_KP_Enter || sym == XK_space || sym == XK_Escape) done = true;
        break;
      }
      case ButtonPress:
        if (event.xbutton.button == Button1 && Inside(g.button, event.xbutton.x, event.xbutton.y)) {
          pressed = true;
          Draw(display, box, gc, font, lines, g, pressed);
        }
        break;
      case ButtonRelease:
        if (event.xbutton.button == Button1 && pressed) {
          done = Inside(g.button, event.xbutton.x, event.xbutton.y);
          pressed = false;
          if (!done) Draw(display, box, gc, font, lines, g, pressed);
        }
        break;
      case ClientMessage:
        if (event.xclient.message_type == wmProtocols && static_cast<Atom>(event.xclient.data.l[0]) == wmDelete)
          done = true;
        break;
      default:
        break;
    }
  }
  if (grabbed) XUngrabKeyboard(display, CurrentTime);
  XFreeGC(display, gc);
  XDestroyWindow(display, box);
  XFreeCursor(display, arrow);
  if (font) XFreeFont(display, font);
  XSync(display, False);
  // Events of the box that were still queued are of no use now.
  XEvent stale;
  while (XCheckIfEvent(display, &stale, IsEventFor, reinterpret_cast<XPointer>(&boxId))) {
  }
}
