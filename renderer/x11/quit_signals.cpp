#include "quit_signals.h"

#include <csignal>
#include <initializer_list>

namespace {

volatile sig_atomic_t g_quit = 0;

void OnQuitSignal(int) { g_quit = 1; }

}  // namespace

void InstallQuitSignalHandlers() {
  struct sigaction action = {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &action, nullptr);
}

bool QuitSignalReceived() { return g_quit != 0; }
