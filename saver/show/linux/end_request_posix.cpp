#include "end_request.h"

#include <csignal>
#include <initializer_list>

namespace qg::show {

namespace {

volatile std::sig_atomic_t g_requested = 0;

// Only a flag: nothing else is safe inside a signal handler.
void Note(int) { g_requested = 1; }

}  // namespace

void WatchEndRequests() {
  struct sigaction sa = {};
  sa.sa_handler = Note;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGHUP, SIGINT}) sigaction(sig, &sa, nullptr);
}

bool EndRequested() { return g_requested != 0; }

}  // namespace qg::show
