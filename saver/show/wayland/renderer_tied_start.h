// Starting the renderer on a Wayland desktop. There the show's surface has no
// X connection that the session's end would break, and an idle daemon or a
// user that ends the host means the whole show: the renderer is started so
// that it is told to end (SIGTERM) when the host ends, however the host ends.
#pragma once

#include <string>
#include <sys/types.h>

namespace qg::show {

// Starts the program at path with no arguments, every signal at its default
// and none blocked; its process id, or -1 when it could not be started.
pid_t StartTiedToHost(const std::string& path);

}  // namespace qg::show
