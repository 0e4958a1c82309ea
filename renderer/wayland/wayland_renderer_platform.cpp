#include "wayland_renderer_platform.h"

#include <cstdio>

WaylandRendererPlatform::WaylandRendererPlatform()
    : loader_([this](const std::string& text) { ShowErrorBox(text); }) {
  connection_.onSeat = [this](wl_seat* seat) { input_.Attach(seat); };
  connection_.onOutputAdded = [this](WaylandOutput& output) { covers_.OutputAdded(output); };
}

bool WaylandRendererPlatform::Connect(std::string* why) { return connection_.Connect(why); }

void WaylandRendererPlatform::Disconnect() {
  covered_.Close();
  input_.Release();
  connection_.Disconnect();
}

// The box's text goes to stderr, and the show carries on as after a dismissed
// box. A box of any other program would open under the show's overlay, which
// holds the keyboard, so it could be neither seen nor answered; and a box of
// our own would need a font renderer for two rare messages about a snapshot
// the host itself wrote.
void WaylandRendererPlatform::ShowErrorBox(const std::string& text) {
  std::fprintf(stderr, "Quiverglide: Error: %s%s", text.c_str(),
               (!text.empty() && text.back() == '\n') ? "" : "\n");
}
