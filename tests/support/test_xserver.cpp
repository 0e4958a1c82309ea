#include "test_xserver.h"

#include "process.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/prctl.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#ifndef QG_SOURCE_DIR
#error QG_SOURCE_DIR must name the source tree
#endif

namespace qgtest {

namespace {

std::string FindProgram(const char* name) {
  for (const char* dir : {"/usr/bin/", "/usr/local/bin/", "/usr/lib/xorg/"}) {
    std::string p = std::string(dir) + name;
    if (access(p.c_str(), X_OK) == 0) return p;
  }
  return {};
}

}  // namespace

bool TestXServer::XorgDummyAvailable() {
  struct stat st;
  return geteuid() == 0 && !FindProgram("Xorg").empty() &&
         stat("/usr/lib/xorg/modules/drivers/dummy_drv.so", &st) == 0;
}

TestXServer::TestXServer(Kind kind, int width, int height, int depth) {
  const std::string program = FindProgram(kind == Kind::Xvfb ? "Xvfb" : "Xorg");
  int fds[2];
  if (program.empty() || pipe2(fds, O_CLOEXEC) != 0) {
    error_ = program.empty() ? "the X server is not installed" : "pipe failed";
    return;
  }
  char log_template[] = "/tmp/qg-xserver-XXXXXX";
  const int log_fd = mkstemp(log_template);
  if (log_fd >= 0) close(log_fd);
  log_path_ = log_template;

  pid_ = fork();
  if (pid_ == 0) {
    // The write end must survive exec: the server reports its display on it.
    int wfd = dup(fds[1]);
    std::string fdtext = std::to_string(wfd);
    int out = open(log_path_.c_str(), O_WRONLY | O_APPEND);
    if (out >= 0) {
      dup2(out, 1);
      dup2(out, 2);
    }
    setpgid(0, 0);
    // A test that dies without its destructors must not leave the server behind
    // (it would also hold ctest's output pipe open).
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (kind == Kind::Xvfb) {
      std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(depth);
      execl(program.c_str(), "Xvfb", "-displayfd", fdtext.c_str(), "-screen", "0", screen.c_str(),
            "-nolisten", "tcp", "-noreset", "+extension", "GLX", "+extension", "RANDR", (char*)nullptr);
    } else {
      std::string conf = std::string(QG_SOURCE_DIR) + "/scripts/xorg-dummy.conf";
      std::string xlog = log_path_ + ".xorg";
      execl(program.c_str(), "Xorg", "-displayfd", fdtext.c_str(), "-config", conf.c_str(), "-noreset",
            "-nolisten", "tcp", "-logfile", xlog.c_str(), "-novtswitch", "-sharevts", (char*)nullptr);
    }
    _exit(127);
  }
  close(fds[1]);
  if (pid_ < 0) {
    error_ = "fork failed";
    close(fds[0]);
    return;
  }

  // The server writes "N\n" once it accepts connections.
  fcntl(fds[0], F_SETFL, O_NONBLOCK);
  std::string got;
  const bool up = WaitUntil(
      [&] {
        char buf[32];
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n > 0) got.append(buf, static_cast<size_t>(n));
        if (got.find('\n') != std::string::npos) return true;
        if (waitpid(pid_, nullptr, WNOHANG) == pid_) pid_ = -1;  // it ended without a display
        return pid_ < 0;
      },
      std::chrono::seconds(20));
  close(fds[0]);
  if (up && pid_ > 0) {
    display_number_ = std::atoi(got.c_str());
  } else {
    error_ = "X server did not start; log: " + log_path_;
  }
}

TestXServer::~TestXServer() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    if (!WaitUntil([&] { return waitpid(pid_, nullptr, WNOHANG) == pid_; }, std::chrono::seconds(5))) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  for (const char* suffix : {"", ".xorg", ".xorg.old"})
    if (!log_path_.empty()) unlink((log_path_ + suffix).c_str());
}

std::string TestXServer::display() const { return ":" + std::to_string(display_number_); }

}  // namespace qgtest
