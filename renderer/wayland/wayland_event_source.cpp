#include "wayland_event_source.h"

#include "termination_signals.h"
#include "wayland_connection.h"

bool WaylandEventSource::Next(RendererMessage* message) {
  if (queue_.empty()) connection_.Dispatch(0);
  // Nothing of the show is left on screen: it ends as when closed.
  if (queue_.empty() && connection_.broken() && !lossGiven_) {
    lossGiven_ = true;
    Post(RendererMessage{kMsgClose, 0, 0});
  }
  if (!queue_.empty()) {
    *message = queue_.front();
    queue_.pop_front();
    return true;
  }
  if (!quitGiven_ && qg::TerminationRequested()) {
    quitGiven_ = true;
    *message = RendererMessage{kMsgQuit, 0, 0};
    return true;
  }
  return false;
}
