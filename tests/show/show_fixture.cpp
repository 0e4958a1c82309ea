#include "show_fixture.h"

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

long FileSize(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? long(st.st_size) : -1;
}

}  // namespace showtest
