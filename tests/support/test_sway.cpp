#include "test_sway.h"

#include "process.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <pwd.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qgtest {

namespace {

constexpr const char* kUser = "qg-wayland-test";

bool Executable(const std::string& path) { return access(path.c_str(), X_OK) == 0; }

// The compositor's user, made on first use.
bool TestUser(uid_t* uid, gid_t* gid) {
  struct passwd* pw = getpwnam(kUser);
  if (!pw) {
    const std::string cmd = std::string("useradd --no-create-home --shell /usr/sbin/nologin ") + kUser +
                            " >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0 && !getpwnam(kUser)) return false;
    pw = getpwnam(kUser);
  }
  if (!pw) return false;
  *uid = pw->pw_uid;
  *gid = pw->pw_gid;
  return true;
}

std::string FileNamed(const std::string& dir, const std::string& prefix) {
  std::string found;
  if (DIR* d = opendir(dir.c_str())) {
    while (struct dirent* e = readdir(d))
      if (std::string(e->d_name).rfind(prefix, 0) == 0 && std::string(e->d_name).find(".lock") == std::string::npos)
        found = dir + "/" + e->d_name;
    closedir(d);
  }
  return found;
}

}  // namespace

std::string RunCapture(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env) {
  TempDir dir;
  ProcessOptions options;
  options.argv = argv;
  options.env = env;
  options.stdout_path = dir.path() + "/out";
  options.stderr_path = "/dev/null";
  Process process(options);
  const std::optional<int> code = process.Wait(std::chrono::seconds(20));
  return code && *code == 0 ? ReadFile(options.stdout_path) : std::string();
}

bool TestSway::Available() {
  return geteuid() == 0 && Executable("/usr/bin/sway") && Executable("/usr/bin/swaymsg") &&
         Executable("/usr/bin/grim") && Executable("/usr/bin/wtype");
}

TestSway::TestSway(int width, int height, const std::string& background, const std::string& extra_config) {
  uid_t uid;
  gid_t gid;
  if (!Available() || !TestUser(&uid, &gid)) {
    error_ = "sway, grim, wtype or the test user are missing (run as root)";
    return;
  }
  char dir_template[] = "/tmp/qg-sway-XXXXXX";
  if (!mkdtemp(dir_template)) {
    error_ = "no temporary folder";
    return;
  }
  dir_ = dir_template;
  chmod(dir_.c_str(), 0755);
  runtime_ = dir_ + "/runtime";
  mkdir(runtime_.c_str(), 0700);
  if (chown(runtime_.c_str(), uid, gid) != 0) {
    error_ = "cannot hand the runtime folder to the test user";
    return;
  }
  const std::string config = dir_ + "/config";
  std::ofstream(config) << "output HEADLESS-1 resolution " << width << "x" << height << " position 0 0 bg "
                        << background << " solid_color\n"
                        << "default_border none\nfocus_follows_mouse no\n"
                        << extra_config << "\n";
  chmod(config.c_str(), 0644);
  const std::string log = dir_ + "/sway.log";

  pid_ = fork();
  if (pid_ == 0) {
    const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out >= 0) {
      dup2(out, 1);
      dup2(out, 2);
    }
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (setgid(gid) != 0 || setuid(uid) != 0) _exit(126);
    clearenv();
    setenv("PATH", "/usr/bin:/bin", 1);
    setenv("HOME", runtime_.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
    setenv("WLR_BACKENDS", "headless", 1);
    setenv("WLR_LIBINPUT_NO_DEVICES", "1", 1);
    setenv("WLR_RENDERER", "pixman", 1);
    execl("/usr/bin/sway", "sway", "-c", config.c_str(), (char*)nullptr);
    _exit(127);
  }
  if (pid_ < 0) {
    error_ = "fork failed";
    return;
  }
  // Ready once its sockets are there and it answers on the IPC one with its first output.
  const bool up = WaitUntil(
      [&] {
        socket_ = FileNamed(runtime_, "wayland-");
        ipc_ = FileNamed(runtime_, "sway-ipc.");
        return !socket_.empty() && !ipc_.empty() && waitpid(pid_, nullptr, WNOHANG) == 0 &&
               Msg({"-t", "get_outputs"}).find("HEADLESS-1") != std::string::npos;
      },
      std::chrono::seconds(30));
  if (!up) {
    error_ = "sway did not start or does not answer: " + ReadFile(log);
    socket_.clear();
  }
}

TestSway::~TestSway() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    if (!WaitUntil([&] { return waitpid(pid_, nullptr, WNOHANG) == pid_; }, std::chrono::seconds(5))) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  if (!dir_.empty()) std::system(("rm -rf '" + dir_ + "'").c_str());
}

std::map<std::string, std::string> TestSway::ClientEnv() const { return {{"WAYLAND_DISPLAY", socket_}}; }

std::string TestSway::Msg(const std::vector<std::string>& args) const {
  std::vector<std::string> argv = {"/usr/bin/swaymsg", "-s", ipc_};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunCapture(argv, {});
}

bool TestSway::Screenshot(RgbPicture* picture, const std::string& output) const {
  std::vector<std::string> argv = {"/usr/bin/grim", "-t", "ppm"};
  if (!output.empty()) argv.insert(argv.end(), {"-o", output});
  argv.push_back("-");
  const std::string ppm = RunCapture(argv, ClientEnv());
  // "P6\n<w> <h>\n255\n" then the rows.
  int w = 0, h = 0, max = 0, used = 0;
  if (std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &w, &h, &max, &used) != 3 || max != 255 || w <= 0 || h <= 0)
    return false;
  const size_t bytes = static_cast<size_t>(w) * h * 3;
  if (ppm.size() < used + 1 + bytes) return false;
  picture->width = w;
  picture->height = h;
  picture->rgb.assign(ppm.begin() + used + 1, ppm.begin() + used + 1 + bytes);
  return true;
}

bool TestSway::PressKey(const std::string& key) const {
  ProcessOptions options;
  options.argv = {"/usr/bin/wtype", "-s", "500", "-k", key};
  options.env = ClientEnv();
  Process wtype(options);
  const std::optional<int> code = wtype.Wait(std::chrono::seconds(10));
  return code && *code == 0;
}

}  // namespace qgtest
