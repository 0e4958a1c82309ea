#include "x11_event_translation.h"

#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>

#include "termination_signals.h"

namespace {

// Key codes in the form the window procedure's table uses: Escape, Return,
// Space and the letters and digits as their upper-case characters; other
// keys keep the low byte of their symbol, which is never Escape's.
uintptr_t KeyCodeOf(XKeyEvent& key) {
  const KeySym sym = XLookupKeysym(&key, 0);
  switch (sym) {
    case XK_Escape: return 0x1B;
    case XK_Return: case XK_KP_Enter: return 0x0D;
    case XK_space: return 0x20;
    case XK_Tab: return 0x09;
    case XK_BackSpace: return 0x08;
    default: break;
  }
  if (sym >= XK_a && sym <= XK_z) return static_cast<uintptr_t>(sym - XK_a + 'A');
  if ((sym >= XK_A && sym <= XK_Z) || (sym >= XK_0 && sym <= XK_9)) return static_cast<uintptr_t>(sym);
  const uintptr_t low = static_cast<uintptr_t>(sym & 0xFF);
  return low == 0x1B ? 0xFF : low;
}

intptr_t PackPoint(int x, int y) {
  return static_cast<intptr_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) | static_cast<uint32_t>(x & 0xFFFF));
}

}  // namespace

bool TranslateX11Event(XEvent& event, X11EventContext& context, RendererMessage* message) {
  *message = RendererMessage{};
  const int randr = context.randrEventBase;
  if (randr >= 0 && (event.type == randr + RRScreenChangeNotify || event.type == randr + RRNotify)) {
    XRRUpdateConfiguration(&event);  // Xlib's copy of the screen's size
    message->message = kMsgDisplayChange;
    return true;
  }
  if (event.xany.window != context.window) return false;
  switch (event.type) {
    case KeyPress:
      message->message = kMsgKeyDown;
      message->wParam = KeyCodeOf(event.xkey);
      return true;
    case KeyRelease:
      message->message = kMsgKeyUp;
      message->wParam = KeyCodeOf(event.xkey);
      return true;
    case ButtonPress:
      message->message = kMsgButtonDown;
      message->lParam = PackPoint(event.xbutton.x, event.xbutton.y);
      return true;
    case ButtonRelease:
      message->message = kMsgButtonUp;
      message->lParam = PackPoint(event.xbutton.x, event.xbutton.y);
      return true;
    case MotionNotify:
      message->message = kMsgMouseMove;
      message->lParam = PackPoint(event.xmotion.x, event.xmotion.y);
      return true;
    case Expose:
      if (event.xexpose.count != 0) return false;  // one paint for the whole series
      message->message = kMsgPaint;
      return true;
    case ConfigureNotify:
      if (event.xconfigure.width == context.lastWidth && event.xconfigure.height == context.lastHeight) return false;
      context.lastWidth = event.xconfigure.width;
      context.lastHeight = event.xconfigure.height;
      message->message = kMsgSize;
      message->lParam = PackPoint(context.lastWidth, context.lastHeight);
      return true;
    case DestroyNotify:
      if (!context.closeOnDestroy) return false;
      message->message = kMsgClose;
      return true;
    case ClientMessage:
      if (event.xclient.message_type == context.wmProtocols && event.xclient.format == 32 &&
          static_cast<Atom>(event.xclient.data.l[0]) == context.wmDeleteWindow) {
        message->message = kMsgClose;
        return true;
      }
      return false;
    default:
      return false;
  }
}

bool X11EventSource::Next(RendererMessage* message) {
  while (display_ && XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (TranslateX11Event(event, context_, message)) return true;
  }
  if (quitGiven_ || !qg::TerminationRequested()) return false;
  quitGiven_ = true;
  *message = RendererMessage{kMsgQuit, 0, 0};
  return true;
}
