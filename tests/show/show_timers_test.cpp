// Every timer and limit of Quiverglide.scr seen from outside the running
// programs: the music's watches in the sound they restart, the renderer watch,
// the preview's host check and the Command buttons' pointer timers in what
// they ask the X server, the renderer's start limit and the hosted show's
// grace for its renderer in when the programs end. A pace must lie within
// 0.7 and 1.5 times its interval, judged over several ticks.
#include <gtest/gtest.h>

#include <X11/Xproto.h>
#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <future>
#include <thread>

#include "audio_capture.h"
#include "settings_bytes.h"
#include "show_fixture.h"
#include "test_media.h"
#include "x_request_log.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using showtest::FileSize;

// The disc: a silent first track and a short last one, so that repeating
// either restarts the disc at every tick of the CD watch.
const std::vector<double> kTones = {0, 450, 600, 900}, kSeconds = {0.04, 0.8, 0.8, 0.04};

bool Near(double pace, double interval) { return pace > 0.7 * interval && pace < 1.5 * interval; }

struct Music {
  const char* what;
  std::vector<std::string> args;
  std::string kind, repeat;   // kind 2: the MP3
  double interval;            // the watch's, seconds
  double sound;               // seconds of output to take in, then SIGTERM; 0: the start limit ends it
};

struct Ended {
  std::optional<int> code;
  double seconds = 0;  // from the renderer's start to the end, or from SIGTERM to the renderer's end
  std::string capture, snapshot;
};

double Since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

using Timers = showtest::ShowFixture;

TEST_F(Timers, EveryWatchAndLimitOfTheShowThePreviewAndTheDialogKeepsItsPace) {
  Prepare(qgtest::TestXServer::Kind::Xvfb, "");
  qgtest::TestXServer second;
  ASSERT_TRUE(second.ok()) << second.error();
  qgtest::XClient other(second.display());
  const std::string media = host_->Scratch();
  const std::string wav = qgtest::MakeToneWav(media, "theme.wav", {440, 660}, 0.15);
  const std::string mp3 = qgtest::MakeMp3(media, "テーマ 曲.mp3", wav);  // quoted in the open command
  const std::string cue = qgtest::MakeDiscImage(media, kTones, kSeconds);
  const std::string standIn = media + "/stand-in";  // never opens its window, deaf to SIGTERM
  std::ofstream(standIn) << "#!/bin/sh\ntrap '' TERM\nexec sleep 60\n";
  chmod(standIn.c_str(), 0755);
  qgtest::XRequestLog asked(server_->display(), X_GetWindowAttributes, X_QueryPointer);
  qgtest::XRequestLog asked2(second.display(), X_GetWindowAttributes, X_QueryPointer);
  ASSERT_TRUE(asked.ok() && asked2.ok()) << "no RECORD extension";

  const Music rows[] = {
      {"/s, MP3", {"/s"}, "2", "0", 1.0, 0},
      {"hosted, MP3", {"--root"}, "2", "0", 1.0, 3.5},
      {"/s, CD, the first track", {"/s"}, "1", "1", 0.2, 2.5},
      {"hosted, CD, the last track", {"--root"}, "1", "4", 0.2, 2.5},
      {"hosted, CD, the whole disc", {"--root"}, "1", "0", 0.2, 3.5},
  };
  // Every program folder made before any program starts: a file still open
  // for writing in one thread cannot be run by a child forked in another.
  std::vector<std::unique_ptr<hosttest::HostInstall>> installs;
  for (const Music& row : rows) {
    installs.push_back(std::make_unique<hosttest::HostInstall>(&row == &rows[2] ? second.display() : server_->display(), standIn));
    std::ofstream(installs.back()->Folder() + "/Quiverglide.ini", std::ios::binary)
        << qgtest::SettingsText(row.kind, row.repeat, row.kind == "2" ? mp3 : "");
  }
  hosttest::HostInstall viewer(second.display(), standIn), quitter(second.display(), "/bin/false");
  auto run = [&](const Music& row) {
    const hosttest::HostInstall& install = *installs[size_t(&row - rows)];
    Ended ended{std::nullopt, 0, media + "/" + std::to_string(&row - rows) + ".raw", install.SnapshotPath()};
    auto p = install.Start(row.args,
                           {{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", ended.capture}, {"QUIVERGLIDE_CDROM", cue}});
    long renderer = -1;
    qgtest::WaitUntil([&] { return (renderer = qgtest::ChildOf(p->pid())) > 0; }, 20s);
    const auto started = Clock::now();
    if (row.sound == 0) {
      ended.code = p->Wait(20s);
      ended.seconds = Since(started);
      return ended;
    }
    // As much sound as asked for, however slowly a busy machine starts the program.
    qgtest::WaitUntil([&] { return FileSize(ended.capture) >= long(row.sound * 176400); }, 20s);
    p->Signal(SIGTERM);
    const auto signalled = Clock::now();
    if (row.args[0] != "/s") qgtest::WaitUntil([&] { return qgtest::ProcessGone(renderer); }, 3s);
    ended.seconds = Since(signalled);
    ended.code = p->Wait(5s);
    if (row.args[0] == "/s" && renderer > 0) kill(pid_t(renderer), SIGKILL);  // a run asked to end leaves its renderer be
    return ended;
  };
  std::vector<std::future<Ended>> runs;
  for (const Music& row : rows)
    if (&row != &rows[2]) runs.push_back(std::async(std::launch::async, run, std::cref(row)));

  // Meanwhile on the second server: a renderer that ends without a window
  // ends its run at the watch's first tick; the /s run with the CD; then a
  // preview and the dialog side by side.
  EXPECT_EQ(quitter.Start({"/s"})->Wait(5s), std::optional<int>(0)) << "a run outlived its renderer";
  const Ended cdRun = run(rows[2]);
  const Window box = other.MapWindow(0, 0, 200, 150, 0x808080);
  auto preview = viewer.Start({"/p", std::to_string(box)});
  // The dialog once the preview is in place: a preview refuses to start beside it.
  ASSERT_TRUE(qgtest::WaitUntil([&] { return !other.Children(box).empty(); }, 10s));
  auto dialog = viewer.Start({"/c"});
  ASSERT_NE(other.WaitForWindow("<Quiverglide>", 10s), 0u);
  std::this_thread::sleep_for(2500ms);
  const Window root2 = DefaultRootWindow(other.display());
  const double hostCheck = qgtest::TickMs(asked2.Times(X_GetWindowAttributes, box));
  EXPECT_TRUE(Near(hostCheck, 250)) << "the preview looks for its host every " << hostCheck << " ms";
  const double pointer = qgtest::TickMs(asked2.Times(X_QueryPointer, root2));
  EXPECT_TRUE(Near(pointer, 100)) << "the Command buttons look for the pointer every " << pointer << " ms";

  std::vector<Ended> ended;
  for (auto& r : runs) ended.push_back(r.get());
  ended.insert(ended.begin() + 2, cdRun);
  const double watch = qgtest::TickMs(asked.Times(X_QueryTree, DefaultRootWindow(display_)));
  EXPECT_TRUE(Near(watch, 500)) << "the renderer watch looks every " << watch << " ms";
  for (size_t i = 0; i < ended.size(); ++i) {
    const Music& row = rows[i];
    const Ended& e = ended[i];
    SCOPED_TRACE(row.what);
    ASSERT_EQ(e.code, std::optional<int>(0));
    if (row.sound == 0) {
      // The start limit: a renderer without a window for 10 s is taken for hung.
      EXPECT_GT(e.seconds, 8.0);
      EXPECT_LT(e.seconds, 13.0);
    } else if (row.args[0] != "/s") {
      // SIGTERM: the renderer gets its moment to end, then is ended, within a second.
      EXPECT_GT(e.seconds, 0.4);
      EXPECT_LT(e.seconds, 1.0);
    }
    EXPECT_EQ(FileSize(e.snapshot), -1) << "the snapshot outlived the show";
    const long size = FileSize(e.capture);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(FileSize(e.capture), size) << "music after the show";

    const std::vector<int16_t> heard = qgtest::ReadCaptureLeft(e.capture);
    const std::vector<qgtest::Segment> sounds = qgtest::SoundingSegments(heard);
    ASSERT_GE(sounds.size(), 2u) << double(heard.size()) / qgtest::kCaptureRate << " s heard";
    const double pace = double(sounds.back().begin - sounds.front().begin) / (sounds.size() - 1) / qgtest::kCaptureRate;
    auto toneAt = [&](size_t at, size_t count) { return qgtest::ToneAt(heard, at, count, {440, 450, 600, 660, 900}); };
    if (row.repeat == "0" && row.kind == "1") {
      // The whole disc in order, then from the start again within a tick.
      EXPECT_NEAR(sounds[0].Seconds(), 1.64, 0.1);
      EXPECT_EQ(toneAt(sounds[0].begin + 17640, 4410), 1);
      EXPECT_EQ(toneAt(sounds[0].begin + 52920, 4410), 2);
      EXPECT_EQ(toneAt(sounds[0].end - 1764, 1323), 4);
      EXPECT_LT(double(sounds[1].begin - sounds[0].end) / qgtest::kCaptureRate, 0.3);
      continue;
    }
    ASSERT_GE(sounds.size(), 3u) << double(heard.size()) / qgtest::kCaptureRate << " s heard";
    EXPECT_TRUE(Near(pace, row.interval)) << "restarted every " << pace << " s";
    for (size_t k = 0; k + 1 < sounds.size(); ++k) {
      const qgtest::Segment& s = sounds[k];
      if (row.kind == "2") {
        // Once through from the beginning, not looped.
        EXPECT_NEAR(s.Seconds(), 0.33, 0.08) << k;
        EXPECT_EQ(toneAt(s.begin + 441, 2205), 0) << k;
      } else {
        EXPECT_EQ(toneAt(s.begin, s.end - s.begin), row.repeat == "1" ? 1 : 4) << k;
      }
    }
  }
}

}  // namespace
