// The peak resident memory of a running process.
#pragma once

#include <sys/types.h>

namespace qgbench {

// VmHWM of the process, in KiB; 0 when unreadable.
long PeakKiB(pid_t pid);

}  // namespace qgbench
