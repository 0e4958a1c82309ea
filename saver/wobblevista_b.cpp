#include "wobblevista_b.h"

#include "file_system.h"
#include "forms/application.h"
#include "path_helpers.h"
#include "startup_dispatch.h"
#include "startup_services.h"

namespace Wobblevista_B {

std::int32_t CursorCount = 0;
std::int16_t CursorX = 0;
std::int16_t CursorY = 0;

bool FileExists(const std::string& path) { return qg::FileExists(qg::DefaultFileSystem(), path); }

std::string FolderOfPath(const std::string& path) { return qg::FolderOfPath(path); }

char ModeLetter() { return qg::ModeLetter(qgf::App::Command()); }

void Main() {
  HostStartupServices services;
  qg::RunStartup(services, CursorCount);
}

}  // namespace Wobblevista_B
