#include "process.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#ifndef QG_BIN_DIR
#error QG_BIN_DIR must name the folder of the built programs
#endif

namespace qgtest {

Process::Process(const ProcessOptions& o) {
  pid_ = fork();
  if (pid_ != 0) return;
  // Ends with the test, so a crashed test leaves no program running.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  for (const auto& name : o.unset_env) unsetenv(name.c_str());
  for (const auto& [k, v] : o.env) setenv(k.c_str(), v.c_str(), 1);
  if (!o.cwd.empty() && chdir(o.cwd.c_str()) != 0) _exit(126);
  for (const auto& [path, fd] : {std::pair{o.stdout_path, 1}, {o.stderr_path, 2}}) {
    const int file = path.empty() ? -1 : open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file >= 0) dup2(file, fd);
  }
  std::vector<char*> argv;
  for (const auto& a : o.argv) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

Process::~Process() {
  if (pid_ > 0 && !status_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

std::optional<int> Process::Wait(std::chrono::milliseconds timeout) {
  if (status_ || pid_ <= 0) return status_;
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    int st;
    pid_t r = waitpid(pid_, &st, WNOHANG);
    if (r == pid_) {
      status_ = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
      return status_;
    }
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

bool Process::Running() { return pid_ > 0 && !Wait(std::chrono::milliseconds(0)); }

void Process::Signal(int sig) {
  if (pid_ > 0 && !status_) kill(pid_, sig);
}

std::string BinDir() { return QG_BIN_DIR; }

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

TempDir::TempDir() {
  char tmpl[] = "/tmp/qg-test-XXXXXX";
  if (mkdtemp(tmpl)) path_ = tmpl;
}

TempDir::~TempDir() {
  std::error_code ec;
  if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();  // unlike a stream iterator, quiet on a folder or a file that goes away
  return s.str();
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace qgtest
