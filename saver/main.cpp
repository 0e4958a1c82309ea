// Quiverglide.scr: the screensaver host.
#include "forms/application.h"
#include "wobblevista_b.h"

int main(int argc, char** argv) {
  qgf::App::Init(argc, argv);
  Wobblevista_B::Main();
  // The forms carry on from here; the program ends when none is loaded, or
  // earlier when a form ends it.
  qgf::App::End(qgf::App::Run());
}
