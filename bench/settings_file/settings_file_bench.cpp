// The cost of LoadSettings and SaveSettings on a real file, as a ratio to a
// plain read (and a plain replacing write) of the same file. The load reads
// the file three times (once per key, as the profile functions do) and
// converts names and values to and from code page 932.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "file_system.h"
#include "settings/settings_file.h"

namespace {

// The real file system, with the program folder set to a fresh temporary one.
class BenchFileSystem : public qg::FileSystem {
 public:
  BenchFileSystem() {
    char tmpl[] = "/tmp/qg-bench-XXXXXX";
    folder_ = mkdtemp(tmpl) ? tmpl : "/tmp";
  }
  ~BenchFileSystem() override {
    unlink((folder_ + "/Quiverglide.ini").c_str());
    unlink((folder_ + "/theme.mp3").c_str());
    rmdir(folder_.c_str());
  }
  bool IsReadableFile(const std::string& p) override { return real().IsReadableFile(p); }
  bool IsWritableFolder(const std::string& p) override { return real().IsWritableFolder(p); }
  bool MakeFolder(const std::string& p, bool priv) override { return real().MakeFolder(p, priv); }
  qg::ReadStatus ReadFile(const std::string& p, std::size_t m, std::string& b) override {
    return real().ReadFile(p, m, b);
  }
  bool ReplaceFile(const std::string& p, const std::string& b) override { return real().ReplaceFile(p, b); }
  bool RemoveFile(const std::string& p) override { return real().RemoveFile(p); }
  std::string Env(const std::string& n) override { return real().Env(n); }
  std::string HomeFolder() override { return real().HomeFolder(); }
  std::string ProgramFolder() override { return folder_; }
  std::string folder_;

 private:
  static qg::FileSystem& real() { return qg::DefaultFileSystem(); }
};

struct Setup {
  BenchFileSystem fs;
  qg::MusicSettingsValues values;
  Setup() {
    std::string song = fs.folder_ + "/theme.mp3";
    std::ofstream(song) << "x";
    values = {2, 7, song, ""};
    qg::SaveMusicSettings(fs, qg::Cp932(), values);
  }
  std::string ini() const { return fs.folder_ + "/Quiverglide.ini"; }
};

void BM_PlainRead(benchmark::State& state) {
  Setup s;
  std::string bytes;
  for (auto _ : state) {
    s.fs.ReadFile(s.ini(), qg::kMaxSettingsFileBytes, bytes);
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_PlainRead);

void BM_LoadSettings(benchmark::State& state) {
  Setup s;
  for (auto _ : state) {
    qg::MusicSettingsValues v;
    qg::LoadMusicSettings(s.fs, qg::Cp932(), v);
    benchmark::DoNotOptimize(v);
  }
}
BENCHMARK(BM_LoadSettings);

void BM_PlainReplace(benchmark::State& state) {
  Setup s;
  std::string bytes;
  s.fs.ReadFile(s.ini(), qg::kMaxSettingsFileBytes, bytes);
  for (auto _ : state) benchmark::DoNotOptimize(s.fs.ReplaceFile(s.ini(), bytes));
}
BENCHMARK(BM_PlainReplace);

void BM_SaveSettings(benchmark::State& state) {
  Setup s;
  for (auto _ : state) qg::SaveMusicSettings(s.fs, qg::Cp932(), s.values);
}
BENCHMARK(BM_SaveSettings);

}  // namespace

BENCHMARK_MAIN();
