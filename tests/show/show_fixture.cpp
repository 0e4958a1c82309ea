#include "show_fixture.h"

#include <fstream>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace showtest {

void ShowFixture::SetUp() { prctl(PR_SET_CHILD_SUBREAPER, 1); }

void ShowFixture::Prepare(qgtest::TestXServer::Kind kind, const std::string& renderer) {
  server_ = std::make_unique<qgtest::TestXServer>(kind, 1024, 768, 24);
  ASSERT_TRUE(server_->ok()) << server_->error();
  ASSERT_TRUE(Connect(server_->display()));
  host_ = std::make_unique<hosttest::HostInstall>(server_->display(), renderer);
}

void ShowFixture::TearDown() {
  while (waitpid(-1, nullptr, WNOHANG) > 0) {
  }
  Disconnect();
  server_.reset();
}

std::string RealRenderer() { return qgtest::BinDir() + "/Quiverglide.dll"; }

bool ProcessGone(long pid) {
  struct stat st;
  return stat(("/proc/" + std::to_string(pid)).c_str(), &st) != 0;
}

long ChildOf(long parent) {
  std::ifstream kids("/proc/" + std::to_string(parent) + "/task/" + std::to_string(parent) + "/children");
  long pid = -1;
  kids >> pid;
  return pid;
}

}  // namespace showtest
