#include "module_values.h"

#include "file_system.h"
#include "path_helpers.h"

namespace Wobblevista_B {

std::int32_t CursorCount = 0;
std::int16_t CursorX = 0;
std::int16_t CursorY = 0;

bool FileExists(const std::string& path) { return qg::FileExists(qg::DefaultFileSystem(), path); }

std::string FolderOfPath(const std::string& path) { return qg::FolderOfPath(path); }

}  // namespace Wobblevista_B
