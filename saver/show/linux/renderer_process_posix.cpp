#include "renderer_process.h"

#include "display_system.h"
#include "wayland/renderer_tied_start.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

namespace qg::show {

RendererProcess::~RendererProcess() = default;

bool RendererProcess::Start(const std::string& path) {
  if (id_ > 0) return false;
  if (ChooseDisplaySystem() == DisplaySystem::kWayland) {
    const pid_t pid = StartTiedToHost(path);
    if (pid <= 0) return false;
    id_ = pid;
    ended_ = false;
    return true;
  }
  // The renderer must not inherit a blocked or ignored signal from the form
  // runtime's thread, or it could not be ended by SIGTERM/SIGINT/SIGHUP.
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setsigdefault(&attr, &all);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, path.c_str(), nullptr, &attr, argv, environ);
  posix_spawnattr_destroy(&attr);
  if (rc != 0 || pid <= 0) return false;
  id_ = pid;
  ended_ = false;
  return true;
}

bool RendererProcess::Running() {
  if (id_ <= 0 || ended_) return false;
  int status;
  pid_t r = waitpid(static_cast<pid_t>(id_), &status, WNOHANG);
  if (r == static_cast<pid_t>(id_) || (r < 0 && errno == ECHILD)) ended_ = true;
  return !ended_;
}

bool RendererProcess::WaitEnded(int timeoutMs) {
  // Timed by the clock, not by counting naps: on a busy machine every nap
  // runs long, and the renderer's grace with it.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (!Running()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    struct timespec ts = {0, 5 * 1000 * 1000};
    nanosleep(&ts, nullptr);
  }
}

void RendererProcess::Kill() {
  if (!Running()) return;
  kill(static_cast<pid_t>(id_), SIGKILL);
  WaitEnded(2000);
}

}  // namespace qg::show
