#include "wobblevista_b.h"

#include "forms/application.h"
#include "startup_dispatch.h"
#include "startup_services.h"

namespace Wobblevista_B {

char ModeLetter() { return qg::ModeLetter(qgf::App::Command()); }

void Main() {
  HostStartupServices services;
  qg::RunStartup(services, CursorCount);
}

}  // namespace Wobblevista_B
