// A copy of Quiverglide.scr in a folder of its own, for the tests that start
// it as a process: a renderer beside it (or none), private runtime, config and
// home folders, and an environment that names only the test's X server.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "process.h"

namespace hosttest {

class HostInstall {
 public:
  // renderer: the file laid beside the program as Quiverglide.dll; "" for none.
  HostInstall(const std::string& display, const std::string& renderer);
  std::unique_ptr<qgtest::Process> Start(const std::vector<std::string>& args,
                                         const std::map<std::string, std::string>& extraEnv = {}) const;
  // The program's folder, which holds its Quiverglide.ini.
  std::string Folder() const { return dir_.path() + "/program"; }
  std::string Scratch() const { return dir_.path(); }
  std::string SnapshotFolder() const { return dir_.path() + "/runtime/kestrow"; }
  std::string SnapshotPath() const { return SnapshotFolder() + "/Wobblevista.bmp"; }

  std::map<std::string, std::string> env;

 private:
  qgtest::TempDir dir_;
};

}  // namespace hosttest
