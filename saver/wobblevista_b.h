// The start-up module: the start-up procedure, over the program-wide values
// the host's forms share.
#pragma once

#include "module_values.h"

namespace Wobblevista_B {

// Character 2 of the upper-cased command line, read anew on every call; 0
// when the command line is shorter.
char ModeLetter();

// The start-up procedure: instance check, mode letter, dispatch.
void Main();

}  // namespace Wobblevista_B
