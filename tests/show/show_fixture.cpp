#include "show_fixture.h"

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace showtest {

namespace fs = std::filesystem;

void ShowFixture::Prepare(qgtest::TestXServer::Kind kind, int width, int height, const std::string& renderer) {
  server_ = std::make_unique<qgtest::TestXServer>(kind, width, height, 24);
  ASSERT_TRUE(server_->ok()) << server_->error();
  dpy_ = XOpenDisplay(server_->display().c_str());
  ASSERT_NE(dpy_, nullptr);
  fs::create_directories(ProgramFolder());
  const std::string saver = qgtest::BinDir() + "/Quiverglide.scr";
  ASSERT_TRUE(fs::exists(saver)) << saver;
  fs::copy_file(saver, ProgramFolder() + "/Quiverglide.scr");
  if (fs::exists(qgtest::BinDir() + "/fontconfig")) {
    fs::copy(qgtest::BinDir() + "/fontconfig", ProgramFolder() + "/fontconfig", fs::copy_options::recursive);
  }
  ASSERT_TRUE(fs::exists(renderer)) << renderer;
  fs::copy_file(renderer, ProgramFolder() + "/Quiverglide.dll");
  runtime_ = folder_.path() + "/runtime";
  fs::create_directories(runtime_);
  chmod(runtime_.c_str(), 0700);
  fs::create_directories(folder_.path() + "/config");
  env_ = {{"DISPLAY", server_->display()},
          {"XDG_RUNTIME_DIR", runtime_},
          {"XDG_CONFIG_HOME", folder_.path() + "/config"},
          {"SDL_AUDIODRIVER", "dummy"},
          {"QT_QPA_PLATFORM", "xcb"}};
}

void ShowFixture::TearDown() {
  if (dpy_) XCloseDisplay(dpy_);
  dpy_ = nullptr;
  server_.reset();
}

std::unique_ptr<qgtest::Process> ShowFixture::StartSaver(const std::vector<std::string>& args,
                                                        const std::map<std::string, std::string>& extraEnv) {
  qgtest::ProcessOptions o;
  o.argv.push_back(ProgramFolder() + "/Quiverglide.scr");
  o.argv.insert(o.argv.end(), args.begin(), args.end());
  o.env = env_;
  for (const auto& [k, v] : extraEnv) o.env[k] = v;
  o.cwd = folder_.path();
  return std::make_unique<qgtest::Process>(o);
}

void ShowFixture::WriteSettings(int kind, int repeat, const std::string& file) {
  std::ofstream ini(ProgramFolder() + "/Quiverglide.ini", std::ios::binary);
  ini << "[Section]\r\n"
      << "BGM\x8B\xE6\x95\xAA=" << kind << "\r\n"
      << "BGM\xD8\xCB\xDF\xB0\xC4=" << repeat << "\r\n"
      << "BGM\xCC\xA7\xB2\xD9=" << file << "\r\n";
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool ProcessGone(long pid) {
  // The tests make themselves the subreaper of what the saver starts, so a
  // renderer the saver failed to reap would linger here as a zombie.
  struct stat st;
  return stat(("/proc/" + std::to_string(pid)).c_str(), &st) != 0;
}

void BecomeSubreaper() { prctl(PR_SET_CHILD_SUBREAPER, 1); }

void ReapOrphans() {
  while (waitpid(-1, nullptr, WNOHANG) > 0) {
  }
}

std::string StandinPath() { return QG_STANDIN_PATH; }

}  // namespace showtest
