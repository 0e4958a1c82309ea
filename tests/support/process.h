// Starting the programs under test as real processes.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace qgtest {

struct ProcessOptions {
  std::vector<std::string> argv;                 // argv[0] is the program path
  std::map<std::string, std::string> env;        // set on top of the test's environment
  std::vector<std::string> unset_env;            // removed from it
  std::string cwd;                               // empty: the test's own
  std::string stdout_path, stderr_path;          // empty: inherited
};

class Process {
 public:
  explicit Process(const ProcessOptions& options);
  ~Process();  // kills (SIGKILL) and reaps a process still running
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  // Waits up to timeout; the exit code, or 128+signal when killed by one,
  // or nothing when it is still running.
  std::optional<int> Wait(std::chrono::milliseconds timeout);
  bool Running();
  void Signal(int sig);

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
};

// Folder of the built programs (Quiverglide.dll, Quiverglide.scr), from the
// QG_BIN_DIR compile definition.
std::string BinDir();
// The whole file, or "" when it cannot be read.
std::string ReadFile(const std::string& path);
// Polls condition every 20 ms until it holds (true) or timeout passes (false).
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);
// True once the process is gone and reaped; one ended but not reaped lingers
// as a zombie, of its parent or, once that is gone, of a subreaper.
bool ProcessGone(long pid);
// The first child of a process (the renderer a host started), -1 for none.
long ChildOf(long parent);
// A fresh temporary folder, removed with its content by the destructor.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& path() const { return path_; }
 private:
  std::string path_;
};

}  // namespace qgtest
