// How long from Mp3Play to the first samples at the sound output, and how
// much CPU the process uses while the MP3 plays, each against a bare loop
// that decodes the same file with libsndfile straight into an SDL device.
// Runs both in turn several times in one process and prints medians and ratios.
//
// Output goes to SDL's disk driver writing to /dev/null (paced like a sound
// card) unless SDL_AUDIODRIVER is already set.
#include <SDL2/SDL.h>
#include <sndfile.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bgm_player.h"
#include "linux_audio_platform.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kLatencyRuns = 15;  // the first block lands anywhere in one device period
constexpr int kCpuRuns = 3;
constexpr double kPlaySeconds = 3.0;

double CpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

bool Sounding(const int16_t* s, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (s[i] != 0) return true;
  }
  return false;
}

struct Result {
  double first_ms = 0;  // from the start call to the first non-silent block at the output
  double cpu_percent = 0;
};

// CPU use of the whole process while the sound plays and this thread sleeps.
double CpuWhilePlaying() {
  double cpu0 = CpuSeconds();
  auto t0 = Clock::now();
  std::this_thread::sleep_for(std::chrono::duration<double>(kPlaySeconds));
  double wall = std::chrono::duration<double>(Clock::now() - t0).count();
  return 100.0 * (CpuSeconds() - cpu0) / wall;
}

double WaitFirst(const std::atomic<int64_t>& first_ns, Clock::time_point t0) {
  while (first_ns.load() == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
  return static_cast<double>(first_ns.load() - t0.time_since_epoch().count()) / 1e6;
}

Result RunPlayer(const std::string& mp3, bool measure_cpu) {
  std::atomic<int64_t> first_ns{0};
  auto platform = std::make_unique<qg::music::LinuxAudioPlatform>();
  platform->SetOutputTap([&first_ns](const int16_t* s, size_t frames) {
    if (first_ns.load() == 0 && Sounding(s, frames * 2)) first_ns = Clock::now().time_since_epoch().count();
  });
  Wobblevista_BGM::SetPlatform(platform.get());
  Wobblevista_BGM::BgmFile = mp3;
  Result r;
  auto t0 = Clock::now();
  Wobblevista_BGM::Mp3Play();
  r.first_ms = WaitFirst(first_ns, t0);
  if (measure_cpu) r.cpu_percent = CpuWhilePlaying();
  Wobblevista_BGM::Mp3Stop();
  Wobblevista_BGM::SetPlatform(nullptr);
  return r;
}

struct Bare {
  SNDFILE* file = nullptr;
  SF_INFO info{};
  std::vector<float> buffer;
  std::atomic<int64_t> first_ns{0};
};

void BareCallback(void* user, Uint8* stream, int bytes) {
  Bare* b = static_cast<Bare*>(user);
  size_t frames = static_cast<size_t>(bytes) / 4;
  int16_t* out = reinterpret_cast<int16_t*>(stream);
  b->buffer.resize(frames * 2);
  sf_count_t got = sf_readf_float(b->file, b->buffer.data(), static_cast<sf_count_t>(frames));
  if (got < 0) got = 0;
  for (size_t i = 0; i < frames * 2; ++i) {
    float v = i < static_cast<size_t>(got) * 2 ? std::nearbyint(b->buffer[i] * 32768.0f) : 0.0f;
    out[i] = static_cast<int16_t>(std::clamp(v, -32768.0f, 32767.0f));
  }
  if (b->first_ns.load() == 0 && Sounding(out, frames * 2)) b->first_ns = Clock::now().time_since_epoch().count();
}

// The same work with nothing in between: open, decode, hand to SDL.
Result RunBare(const std::string& mp3, bool measure_cpu) {
  Bare b;
  Result r;
  auto t0 = Clock::now();
  b.file = sf_open(mp3.c_str(), SFM_READ, &b.info);
  if (!b.file || b.info.channels != 2 || SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "bare loop: cannot open the file or the output\n");
    std::exit(1);
  }
  SDL_AudioSpec want{}, have{};
  want.freq = b.info.samplerate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 1024;
  want.callback = BareCallback;
  want.userdata = &b;
  SDL_AudioDeviceID dev = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  SDL_PauseAudioDevice(dev, 0);
  r.first_ms = WaitFirst(b.first_ns, t0);
  if (measure_cpu) r.cpu_percent = CpuWhilePlaying();
  SDL_CloseAudioDevice(dev);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  sf_close(b.file);
  return r;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("SDL_AUDIODRIVER")) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
  }
  SDL_LogSetPriority(SDL_LOG_CATEGORY_AUDIO, SDL_LOG_PRIORITY_ERROR);
  std::string mp3;
  char dir[] = "/tmp/qg-music-bench-XXXXXX";
  if (argc > 1) {
    mp3 = argv[1];
  } else {
    if (!mkdtemp(dir)) return 1;
    mp3 = std::string(dir) + "/bench.mp3";
    std::string command = "sox -D -n -r 44100 -c 2 -b 16 " + std::string(dir) +
                          "/bench.wav synth 10 sine 440 vol 0.5 && lame --quiet -b 192 " + dir + "/bench.wav " + mp3;
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "needs sox and lame to make the test file\n");
      return 1;
    }
  }
  std::vector<double> player_first, player_cpu, bare_first, bare_cpu;
  for (int i = 0; i < kLatencyRuns; ++i) {
    player_first.push_back(RunPlayer(mp3, false).first_ms);
    bare_first.push_back(RunBare(mp3, false).first_ms);
  }
  for (int i = 0; i < kCpuRuns; ++i) {
    player_cpu.push_back(RunPlayer(mp3, true).cpu_percent);
    bare_cpu.push_back(RunBare(mp3, true).cpu_percent);
  }
  double pf = Median(player_first), bf = Median(bare_first), pc = Median(player_cpu), bc = Median(bare_cpu);
  std::printf("driver %s; medians of %d start-ups and %d plays of %.0f s\n", std::getenv("SDL_AUDIODRIVER"),
              kLatencyRuns, kCpuRuns, kPlaySeconds);
  std::printf("first samples after start: player %.2f ms, bare loop %.2f ms, ratio %.2f\n", pf, bf, pf / bf);
  std::printf("CPU while playing:         player %.2f %%, bare loop %.2f %%, ratio %.2f\n", pc, bc, pc / bc);
  if (argc <= 1) {
    std::system((std::string("rm -rf ") + dir).c_str());
  }
  return 0;
}
