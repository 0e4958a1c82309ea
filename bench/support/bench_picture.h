// A made-up desktop for the renderer benchmarks: a 24-bit bitmap with enough
// detail that texturing does real work.
#pragma once

#include <string>

namespace qgbench {

void WriteDesktopPicture(const std::string& path, int width, int height);

}  // namespace qgbench
