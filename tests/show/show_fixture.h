// A program folder of our own for each test: copies of Quiverglide.scr and of
// the renderer (the real one or a stand-in) side by side, a private runtime
// folder for the snapshot and a private X server.
#pragma once

// gtest first: Xlib defines None, which gtest uses as a name.
#include <gtest/gtest.h>
#include <X11/Xlib.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "process.h"
#include "test_xserver.h"

namespace showtest {

class ShowFixture : public ::testing::Test {
 protected:
  // Starts the X server and lays out the program folder with the given renderer.
  void Prepare(qgtest::TestXServer::Kind kind, int width, int height, const std::string& renderer);
  void TearDown() override;

  // Starts Quiverglide.scr with the given arguments.
  std::unique_ptr<qgtest::Process> StartSaver(const std::vector<std::string>& args,
                                              const std::map<std::string, std::string>& extraEnv = {});
  std::string SnapshotPath() const { return runtime_ + "/kestrow/Wobblevista.bmp"; }
  std::string ProgramFolder() const { return folder_.path() + "/program"; }
  std::string Scratch() const { return folder_.path(); }
  // Writes Quiverglide.ini beside the program (code page 932 keys).
  void WriteSettings(int kind, int repeat, const std::string& file);

  std::unique_ptr<qgtest::TestXServer> server_;
  Display* dpy_ = nullptr;
  qgtest::TempDir folder_;
  std::string runtime_;
  std::map<std::string, std::string> env_;
};

// Lines of a text file.
std::vector<std::string> ReadLines(const std::string& path);
bool ProcessGone(long pid);
void BecomeSubreaper();
void ReapOrphans();
std::string StandinPath();

}  // namespace showtest
