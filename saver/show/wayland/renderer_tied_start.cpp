#include "wayland/renderer_tied_start.h"

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

extern char** environ;

namespace qg::show {

pid_t StartTiedToHost(const std::string& path) {
  const pid_t host = getpid();
  char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
  const pid_t pid = fork();
  if (pid != 0) return pid < 0 ? -1 : pid;
  // Only calls that are safe between fork and exec from here on.
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (getppid() != host) _exit(0);  // the host has already gone
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  for (int sig = 1; sig < NSIG; ++sig) signal(sig, SIG_DFL);
  execve(path.c_str(), argv, environ);
  _exit(127);
}

}  // namespace qg::show
