#include "renderer_watch.h"

namespace qg::show {

void RendererWatch::Started(bool started, int64_t nowMs) {
  attempted_ = true;
  started_ = started;
  startMs_ = nowMs;
}

RendererWatch::Verdict RendererWatch::Tick(bool windowPresent, bool processRunning, int64_t nowMs) {
  if (windowPresent) {
    windowSeen_ = true;
    return Verdict::kRunning;
  }
  // No start attempt at all (the load handler failed before it) or a failed
  // start: nothing will ever show, as with a renderer that cannot be started.
  if (!attempted_ || !started_) return Verdict::kEnded;
  if (windowSeen_ || !processRunning) return Verdict::kEnded;
  if (nowMs - startMs_ >= limitMs_) return Verdict::kStartHung;
  return Verdict::kRunning;
}

}  // namespace qg::show
