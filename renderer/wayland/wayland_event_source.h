// The show's messages on Wayland: what the seat and the show's surface post
// (keys, pointer, close requests), as they come; a close request once if the
// compositor goes away; then, once, a quit when a termination signal has
// arrived.
#pragma once

#include <deque>

#include "renderer_platform.h"

class WaylandConnection;

class WaylandEventSource final : public EventSource {
 public:
  explicit WaylandEventSource(WaylandConnection& connection) : connection_(connection) {}
  void Post(const RendererMessage& message) { queue_.push_back(message); }
  bool Waiting() const { return !queue_.empty(); }
  bool Next(RendererMessage* message) override;

 private:
  WaylandConnection& connection_;
  std::deque<RendererMessage> queue_;
  bool lossGiven_ = false;
  bool quitGiven_ = false;
};
