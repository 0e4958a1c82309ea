// A made-up desktop for the renderer benchmarks, in the snapshot's own form
// (the host's writer), with enough detail that texturing does real work.
#pragma once

#include <string>

namespace qgbench {

void WriteDesktopPicture(const std::string& path, int width, int height);

}  // namespace qgbench
