#include "x11_connection_loss.h"

#include <X11/Xlib-xcb.h>
#include <csignal>
#include <unistd.h>

namespace {

Display* g_display = nullptr;

// Xlib would otherwise end the process through exit(), running the
// libraries' clean-up on a connection one of them may be half-way through.
int OnConnectionLost(Display*) { _exit(0); }

// A fault with the connection intact is a fault of ours: the handler has been
// reset, so the same instruction faults again the default way, core and all.
void OnFault(int) {
  if (g_display && xcb_connection_has_error(XGetXCBConnection(g_display))) _exit(0);
}

}  // namespace

void EndWithTheConnection(Display* display) {
  g_display = display;
  XSetIOErrorHandler(OnConnectionLost);
  struct sigaction action = {};
  action.sa_handler = OnFault;
  action.sa_flags = SA_RESETHAND | SA_NODEFER;
  sigemptyset(&action.sa_mask);
  sigaction(SIGSEGV, &action, nullptr);
  sigaction(SIGBUS, &action, nullptr);
}
