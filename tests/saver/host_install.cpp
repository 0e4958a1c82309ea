#include "host_install.h"

#include <filesystem>
#include <sys/stat.h>

namespace hosttest {

namespace fs = std::filesystem;

HostInstall::HostInstall(const std::string& display, const std::string& renderer) {
  fs::create_directories(Folder());
  fs::copy_file(qgtest::BinDir() + "/Quiverglide.scr", Folder() + "/Quiverglide.scr");
  if (fs::exists(qgtest::BinDir() + "/fontconfig"))
    fs::copy(qgtest::BinDir() + "/fontconfig", Folder() + "/fontconfig", fs::copy_options::recursive);
  if (!renderer.empty()) fs::copy_file(renderer, Folder() + "/Quiverglide.dll");
  const std::string runtime = dir_.path() + "/runtime";
  fs::create_directories(runtime);
  chmod(runtime.c_str(), 0700);
  env = {{"DISPLAY", display},
         {"XDG_RUNTIME_DIR", runtime},
         {"XDG_CONFIG_HOME", dir_.path() + "/config"},
         {"HOME", dir_.path()},
         {"SDL_AUDIODRIVER", "dummy"},
         {"QT_QPA_PLATFORM", "xcb"}};
}

std::unique_ptr<qgtest::Process> HostInstall::Start(const std::vector<std::string>& args,
                                                    const std::map<std::string, std::string>& extraEnv) const {
  qgtest::ProcessOptions o;
  o.argv.push_back(Folder() + "/Quiverglide.scr");
  o.argv.insert(o.argv.end(), args.begin(), args.end());
  o.env = env;
  for (const auto& [k, v] : extraEnv) o.env[k] = v;
  o.unset_env = {"WAYLAND_DISPLAY", "SESSION_MANAGER", "DISPLAY"};
  o.cwd = dir_.path();
  return std::make_unique<qgtest::Process>(o);
}

}  // namespace hosttest
