// The show's process tests: a private X server, a copy of the programs, and
// looking at the server from the outside, as a user or another program would.
#pragma once

#include <memory>
#include <string>

#include "host_install.h"
#include "test_xserver.h"
#include "x_client.h"

namespace showtest {

class ShowFixture : public ::testing::Test, protected qgtest::XClient {
 protected:
  void SetUp() override;  // becomes the subreaper of what the saver starts
  void TearDown() override;
  // Starts the X server and lays out the program folder with the given renderer.
  void Prepare(qgtest::TestXServer::Kind kind, const std::string& renderer);

  std::unique_ptr<qgtest::TestXServer> server_;
  std::unique_ptr<hosttest::HostInstall> host_;
};

std::string RealRenderer();
// A file's size, -1 when there is none.
long FileSize(const std::string& path);

}  // namespace showtest
