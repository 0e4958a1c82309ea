// The renderer as a separate process: started with no arguments and not
// waited for; the watch asks whether it still runs, which also reaps it once
// it has ended so no zombie is left behind.
#pragma once

#include <string>

namespace qg::show {

class RendererProcess {
 public:
  RendererProcess() = default;
  ~RendererProcess();  // forgets the process; it runs on if still alive
  RendererProcess(const RendererProcess&) = delete;
  RendererProcess& operator=(const RendererProcess&) = delete;

  // Starts the program at path with no arguments. False when it could not be started.
  bool Start(const std::string& path);
  bool Started() const { return id_ > 0; }
  // True while it runs; reaps it when it has ended.
  bool Running();
  // Waits up to timeoutMs for it to end; true once it has ended (or never started).
  bool WaitEnded(int timeoutMs);
  // Ends a renderer that hangs, without giving it a chance to hang again.
  void Kill();
  long Id() const { return id_; }

 private:
  long id_ = -1;
  bool ended_ = false;
};

}  // namespace qg::show
