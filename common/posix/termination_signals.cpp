#include "termination_signals.h"

#include <csignal>
#include <initializer_list>

namespace qg {

namespace {

volatile std::sig_atomic_t g_requested = 0;

void Note(int) { g_requested = 1; }

}  // namespace

void WatchTerminationSignals() {
  struct sigaction action = {};
  action.sa_handler = Note;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &action, nullptr);
}

bool TerminationRequested() { return g_requested != 0; }

}  // namespace qg
