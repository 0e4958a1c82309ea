// Whole shows with the real renderer and the real music back end, started as
// `Quiverglide.scr /s` under private X servers.
#include <gtest/gtest.h>

#include <X11/extensions/scrnsaver.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

#include "audio_capture.h"
#include "bitmap_decoder.h"
#include "bmp_format.h"
#include "desktop_pattern.h"
#include "settings_bytes.h"
#include "show_fixture.h"
#include "test_media.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using showtest::FileSize;

// How often a program hid and showed the cursor, from the recorder's log.
std::pair<int, int> CursorCalls(const std::string& log, const std::string& program) {
  int hides = 0, shows = 0;
  std::ifstream in(log);
  for (std::string line; std::getline(in, line);) hides += line == program + " hide", shows += line == program + " show";
  return {hides, shows};
}

// Whether the server's own screensaver is on now.
bool SaverOn(Display* d) {
  XScreenSaverInfo* info = XScreenSaverAllocInfo();
  const bool on = info && XScreenSaverQueryInfo(d, DefaultRootWindow(d), info) && info->state == ScreenSaverOn;
  if (info) XFree(info);
  return on;
}

// A plain window of another program, a preview's host.
const unsigned long kGrey = 0x808080;

// Distinct colours and pixels neither black nor grey in a region of the screen.
std::pair<size_t, long> Look(qgtest::XClient& x, int left, int top, int w, int h) {
  std::set<long> colours;
  long notGrey = 0;
  x.ReadScreen(left, top, w, h, [&](int r, int g, int b) {
    colours.insert(r << 16 | g << 8 | b);
    notGrey += (r | g | b) != 0 && !(r == 0x80 && g == 0x80 && b == 0x80);
  });
  return {colours.size(), notGrey};
}

using WholeShow = showtest::ShowFixture;

TEST_F(WholeShow, DesktopIsSavedShownWithMusicAndPreviewedAndAFullFolderGivesWhiteSheets) {
  Prepare(qgtest::TestXServer::Kind::Xvfb, showtest::RealRenderer());
  ASSERT_TRUE(showtest::PaintRootPattern(display_));
  // The ending counts case-blind.
  const std::string tone = qgtest::MakeToneWav(host_->Scratch(), "tone.WAV", {440}, 1.0);
  std::ofstream(host_->Folder() + "/Quiverglide.ini", std::ios::binary) << qgtest::SettingsText("2", "0", tone);
  const std::string audio = host_->Scratch() + "/audio.raw";
  const std::string cursorLog = host_->Scratch() + "/cursor.log";
  auto saver = host_->Start({"/s"}, {{"SDL_AUDIODRIVER", "disk"},
                                     {"SDL_DISKAUDIOFILE", audio},
                                     {"LD_PRELOAD", QG_XFIXES_RECORDER},
                                     {"QG_XFIXES_LOG", cursorLog}});
  const auto started = Clock::now();
  ASSERT_TRUE(WaitForWindow("Wobblevista_VC", 15s)) << "no renderer window";
  // "/s" hid the cursor at its start and keeps it hidden through the show.
  EXPECT_EQ(CursorCalls(cursorLog, "Quiverglide.scr"), std::make_pair(1, 0));

  // The snapshot: the screen's size and pixels, complete.
  const std::string snapshot = host_->SnapshotPath();
  ASSERT_TRUE(qgtest::WaitUntil([&] { return FileSize(snapshot) == 54 + 1024 * 768 * 4; }, 5s));
  const std::string file = qgtest::ReadFile(snapshot);
  DecodeResult decoded = DecodeBitmap(reinterpret_cast<const uint8_t*>(file.data()), file.size());
  ASSERT_EQ(decoded.status, DecodeStatus::Ok);
  ASSERT_EQ(std::make_pair(decoded.image.width, decoded.image.height), std::make_pair(1024, 768));
  int wrong = 0;
  for (int y = 0; y < 768; y += 9) {
    for (int x = 0; x < 1024; x += 7) {
      const showtest::Rgb want = showtest::PatternPixel(x, 767 - y, 1024);
      const uint8_t* got = &decoded.image.pixels[(static_cast<size_t>(y) * 1024 + x) * 3];
      wrong += got[0] != want.r || got[1] != want.g || got[2] != want.b;
    }
  }
  EXPECT_EQ(wrong, 0) << "snapshot pixels differ from the desktop";

  // The renderer shows the desktop: its colours cover much of the screen,
  // where white sheets would show none. The scene turns, so it is given a few looks.
  double shown = 0;
  EXPECT_TRUE(qgtest::WaitUntil([&] { return (shown = showtest::PatternShare(*this)) > 0.25; }, 6s))
      << shown << " of the screen looks like the desktop";
  std::this_thread::sleep_for(500ms);  // some music to capture

  // The music plays: the 440 Hz tone is in the captured output.
  const std::vector<int16_t> playing = qgtest::ReadCaptureLeft(audio);
  const size_t rate = qgtest::kCaptureRate, frames = playing.size();
  ASSERT_GT(frames, rate / 2) << "less than half a second of sound";
  EXPECT_GT(qgtest::ToneAmplitude(playing, frames - rate / 4, rate / 4, 440), 3000.0);
  EXPECT_LT(qgtest::ToneAmplitude(playing, frames - rate / 4, rate / 4, 660), 500.0);

  // However idle the user, the server's own saver stays off for the show; and
  // only Escape ends it: other keys, the pointer and its buttons do not.
  XSetScreenSaver(display_, 1, 0, DontPreferBlanking, AllowExposures);
  for (const char* key : {"a", "Return", "space"}) Key(key);
  MoveTo(100, 100);
  XTestFakeButtonEvent(display_, 1, True, CurrentTime);
  XTestFakeButtonEvent(display_, 1, False, CurrentTime);
  XSync(display_, False);

  // On past the watch's 10-second start limit: the host saw the renderer's
  // window, so it does not take the renderer for hung.
  std::this_thread::sleep_until(started + 11s);
  ASSERT_NE(FindWindowByCaption("Wobblevista_VC"), 0u) << "the show was ended at the start limit or by other input";
  EXPECT_EQ(CursorCalls(cursorLog, "Quiverglide.dll").first, 1) << "the renderer did not hide the cursor";
  EXPECT_FALSE(SaverOn(display_));

  // Escape: the renderer goes, then the saver within about 600 ms.
  Key("Escape");
  const auto pressed = Clock::now();
  ASSERT_TRUE(qgtest::WaitUntil([&] { return FindWindowByCaption("Wobblevista_VC") == 0; }, 3s));
  EXPECT_EQ(saver->Wait(3000ms), std::optional<int>(0)) << "the saver outlived the show";
  EXPECT_LT(Clock::now() - pressed, 2000ms);
  // Music stopped (nothing more is written) and the snapshot removed.
  const long after = FileSize(audio);
  std::this_thread::sleep_for(400ms);
  EXPECT_EQ(FileSize(audio), after) << "sound still being produced after the show";
  EXPECT_EQ(FileSize(snapshot), -1) << "the snapshot outlived the show";
  // The cursor counter was given back: one show for the one hide.
  EXPECT_EQ(CursorCalls(cursorLog, "Quiverglide.scr"), std::make_pair(1, 1));
  // The saver works again, and is put off for what follows.
  EXPECT_TRUE(qgtest::WaitUntil([&] { return SaverOn(display_); }, 5s));
  XSetScreenSaver(display_, 0, 0, DontPreferBlanking, AllowExposures);
  XForceScreenSaver(display_, ScreenSaverReset);

  // Previews in grey windows of another program, as a screensaver settings
  // program would show them.
  // Without a host window there is nothing to end it later: it ends at once.
  const Window gone = MapWindow(0, 0, 50, 50, kGrey);
  XDestroyWindow(display_, gone);
  XSync(display_, False);
  for (const std::string& id : {std::string("0"), std::to_string(gone), std::string("")}) {
    EXPECT_EQ(host_->Start({"/p", id})->Wait(3000ms), std::optional<int>(0))
        << "a preview for window '" << id << "' lives on with nothing to end it";
  }

  // On a desktop at 200 %, and with Qt told to scale too: still the host's device pixels.
  SetDesktopDpi(192);
  const Window small = MapWindow(10, 10, 200, 150, kGrey);
  const Window wide = MapWindow(0, 300, 2400, 120, kGrey);  // wider than 16-bit twips can hold
  auto a = host_->Start({"/p", std::to_string(small)});
  auto b = host_->Start({"/p", std::to_string(wide)}, {{"QT_SCALE_FACTOR", "2"}});  // several previews at once
  ASSERT_TRUE(qgtest::WaitUntil([&] { return !Children(small).empty() && !Children(wide).empty(); }, 10s))
      << "no preview inside a host";
  const Window pa = Children(small).front(), pb = Children(wide).front();
  EXPECT_EQ(WindowSize(pa), std::make_pair(200, 150));
  EXPECT_EQ(WindowSize(pb), std::make_pair(2400, 120));

  // The picture shows: many colours where the host was plain grey, over the
  // whole host (the far corner too), not just the designed 152 x 112, and
  // over the wide host as far as the screen shows of it.
  std::pair<size_t, long> whole, farRight;
  EXPECT_TRUE(qgtest::WaitUntil([&] {
    whole = Look(*this, 10, 10, 200, 150);
    farRight = Look(*this, 1000, 300, 24, 120);
    return whole.first > 200 && farRight.second > 24L * 120 * 9 / 10;
  }, 5s)) << whole.first << " colours in the first preview, " << farRight.second << " pixels lit at the second's end";
  EXPECT_GT(whole.second, 200L * 150 * 9 / 10);
  const auto corner = Look(*this, 10 + 160, 10 + 120, 40, 30);
  EXPECT_GT(corner.second, 40L * 30 * 9 / 10) << "the picture does not reach the host's far corner";

  // A host that changes its size gets a preview of the new size.
  XResizeWindow(display_, small, 260, 180);
  XSync(display_, False);
  EXPECT_TRUE(qgtest::WaitUntil([&] { return WindowSize(pa) == std::make_pair(260, 180); }, 3s))
      << "the preview kept its old size";

  // The first host goes: its preview ends within about a second, the other stays.
  XDestroyWindow(display_, small);
  XSync(display_, False);
  EXPECT_EQ(a->Wait(2000ms), std::optional<int>(0)) << "the preview outlived its host";
  EXPECT_FALSE(b->Wait(0ms).has_value());
  XDestroyWindow(display_, wide);
  XSync(display_, False);
  EXPECT_TRUE(b->Wait(2000ms).has_value());

  // The snapshot folder full, an older snapshot still in it: the show runs with
  // white sheets, never the old photograph, and that photograph is gone.
  const std::string folder = host_->SnapshotFolder();
  mkdir(folder.c_str(), 0700);
  if (mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=256k,mode=0700") != 0) GTEST_SKIP() << "cannot mount here";
  struct Unmount {
    std::string folder;
    ~Unmount() { umount2(folder.c_str(), MNT_DETACH); }
  } unmount{folder};
  qg::show::DesktopPicture old = qg::show::DesktopPicture::Allocate(256, 192);
  for (int y = 0; y < 192; ++y)
    for (int x = 0; x < 256; ++x) old.Row(y)[4 * x] = 0, old.Row(y)[4 * x + 1] = 140, old.Row(y)[4 * x + 2] = 255;
  const std::vector<uint8_t> bytes = qg::show::EncodeBmp(old);
  std::ofstream(host_->SnapshotPath(), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  ASSERT_GT(FileSize(host_->SnapshotPath()), 0);

  saver = host_->Start({"/s"});
  ASSERT_TRUE(WaitForWindow("Wobblevista_VC", 15s));
  int white = 0;
  auto floorIsWhite = [&] {
    white = 0;
    for (int x : {256, 768})
      ReadScreen(x, 740, 2, 2, [&](int r, int g, int b) { white += r > 240 && g > 240 && b > 240; });
    return white == 8;
  };
  EXPECT_TRUE(qgtest::WaitUntil(floorIsWhite, 6s)) << white << " of 8 floor pixels white";
  EXPECT_EQ(FileSize(host_->SnapshotPath()), -1) << "the older snapshot is still there";
  Key("Escape");
  EXPECT_EQ(saver->Wait(5s), std::optional<int>(0));
}

// On the dummy Xorg, where the mode really switches. What a session sends its
// programs (SIGHUP at logout, SIGINT, SIGTERM), here to the saver first and to
// the renderer once the saver has gone, so that each must end by itself. Each
// time the run takes its usual way out: exit code 0, the snapshot removed, and
// the mode back once both have gone.
TEST_F(WholeShow, EachSignalEndsItOfTwoStartsOneShowsAndOnlyItsOutputComesBackAfterAKilledRenderer) {
  if (!qgtest::TestXServer::XorgDummyAvailable()) GTEST_SKIP() << "dummy Xorg not available";
  Prepare(qgtest::TestXServer::Kind::XorgDummy, showtest::RealRenderer());
  ASSERT_TRUE(HasCrtc(0, 0, 1280, 1024));
  for (int sig : {SIGHUP, SIGINT, SIGTERM}) {
    SCOPED_TRACE(strsignal(sig));
    auto saver = host_->Start({"/s"});
    ASSERT_TRUE(WaitForWindow("Wobblevista_VC", 15s));
    ASSERT_TRUE(qgtest::WaitUntil([&] { return HasCrtc(0, 0, 1024, 768); }, 5s)) << "the renderer never switched the mode";
    EXPECT_EQ(ScreenSize(), std::make_pair(1024, 768));  // it follows the only active output
    ASSERT_GT(FileSize(host_->SnapshotPath()), 0);
    const long renderer = qgtest::ChildOf(saver->pid());
    ASSERT_GT(renderer, 0);
    saver->Signal(sig);
    EXPECT_EQ(saver->Wait(3000ms), std::optional<int>(0)) << "the run did not end";
    ASSERT_EQ(kill(static_cast<pid_t>(renderer), sig), 0);
    EXPECT_TRUE(qgtest::WaitUntil([&] { return HasCrtc(0, 0, 1280, 1024); }, 3s));
    EXPECT_EQ(ScreenSize(), std::make_pair(1280, 1024));
    EXPECT_EQ(FileSize(host_->SnapshotPath()), -1) << "the snapshot outlived the show";
    EXPECT_TRUE(qgtest::WaitUntil([&] { return waitpid(pid_t(renderer), nullptr, WNOHANG), qgtest::ProcessGone(renderer); }, 3s));
  }

  // Two starts at one moment, twenty times: one show, and after it the mode
  // it had, never the one a start that lost took for the desktop's.
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    auto first = host_->Start({"/s"}), second = host_->Start({"/s"});
    ASSERT_TRUE(WaitForWindow("Wobblevista_VC", 15s));
    ASSERT_TRUE(qgtest::WaitUntil([&] { return !first->Running() || !second->Running(); }, 10s));
    EXPECT_TRUE(qgtest::WaitUntil([&] { return HasCrtc(0, 0, 1024, 768); }, 5s));
    EXPECT_EQ(WindowsCaptioned("Wobblevista_VC").size(), 1u);
    EXPECT_EQ(WindowsCaptioned("Wobblevista_Main").size(), 1u);
    ASSERT_TRUE(qgtest::WaitUntil([&] { return KeyboardHeldByAnother(); }, 10s));
    Key("Escape");
    EXPECT_EQ(first->Wait(5s), std::optional<int>(0));
    EXPECT_EQ(second->Wait(5s), std::optional<int>(0));
    EXPECT_TRUE(HasCrtc(0, 0, 1280, 1024));
    EXPECT_EQ(ScreenSize(), std::make_pair(1280, 1024));
  }

  // A monitor plugged in during a show whose renderer is then killed: the
  // host puts the show's output back and leaves the new monitor on.
  auto saver = host_->Start({"/s"});
  ASSERT_TRUE(WaitForWindow("Wobblevista_VC", 15s));
  ASSERT_TRUE(qgtest::WaitUntil([&] { return HasCrtc(0, 0, 1024, 768); }, 5s));
  const std::string xrandr = "DISPLAY=" + server_->display() + " xrandr";
  ASSERT_EQ(std::system((xrandr + " --addmode DUMMY1 1280x1024 && " + xrandr +
                         " --output DUMMY1 --mode 1280x1024 --pos 1280x0").c_str()), 0);
  const long renderer = qgtest::ChildOf(saver->pid());
  ASSERT_GT(renderer, 0);
  // SIGKILL: no teardown runs, the mode stays switched, the window vanishes.
  ASSERT_EQ(kill(static_cast<pid_t>(renderer), SIGKILL), 0);
  EXPECT_EQ(saver->Wait(3000ms), std::optional<int>(0)) << "the run did not end when its renderer was killed";
  EXPECT_TRUE(HasCrtc(0, 0, 1280, 1024));
  EXPECT_TRUE(HasCrtc(1280, 0, 1280, 1024));
  EXPECT_EQ(ScreenSize(), std::make_pair(2560, 1024));
  EXPECT_TRUE(qgtest::ProcessGone(renderer));
}

// The X server ending at several moments of a show's start and during it (a
// crash of the server, a logout): both programs end by themselves, neither
// writes a core, and the photograph of the user's screen goes with them.
TEST_F(WholeShow, TheXServerEndingAtAnyMomentEndsBothProgramsWithoutACore) {
  const rlimit cores{RLIM_INFINITY, RLIM_INFINITY};
  ASSERT_EQ(setrlimit(RLIMIT_CORE, &cores), 0);  // inherited by the saver and its renderer
  const struct {
    int ms;  // after the start; -1: once the show is up
    int signal;
  } moments[] = {{100, SIGKILL}, {250, SIGTERM}, {400, SIGKILL}, {600, SIGTERM}, {900, SIGKILL}, {-1, SIGTERM}};
  for (const auto& moment : moments) {
    SCOPED_TRACE(std::to_string(moment.ms) + " ms, signal " + std::to_string(moment.signal));
    Prepare(qgtest::TestXServer::Kind::Xvfb, showtest::RealRenderer());
    auto saver = host_->Start({"/s"});
    if (moment.ms < 0) { ASSERT_TRUE(WaitForWindow("Wobblevista_VC", 15s)); }
    std::this_thread::sleep_for(std::chrono::milliseconds(moment.ms < 0 ? 300 : moment.ms));
    const pid_t renderer = static_cast<pid_t>(qgtest::ChildOf(saver->pid()));
    Disconnect();
    kill(server_->pid(), moment.signal);
    server_.reset();
    const auto code = saver->Wait(5s);
    ASSERT_TRUE(code.has_value()) << "the saver outlived its X server";
    EXPECT_LT(*code, 128) << "killed by a signal";
    // A renderer its saver did not live to reap is ours (the subreaper's).
    int status = 0;
    if (renderer > 0 && qgtest::WaitUntil([&] { return waitpid(renderer, &status, WNOHANG) != 0; }, 5s)) {
      EXPECT_FALSE(WIFSIGNALED(status)) << "the renderer died of signal " << WTERMSIG(status);
    }
    EXPECT_TRUE(qgtest::ProcessGone(renderer));
    for (const auto& entry : std::filesystem::directory_iterator(host_->Scratch()))
      EXPECT_NE(entry.path().filename().string().rfind("core", 0), 0u) << "a core was written";
    EXPECT_EQ(FileSize(host_->SnapshotPath()), -1) << "the snapshot outlived the show";
  }
}

}  // namespace
