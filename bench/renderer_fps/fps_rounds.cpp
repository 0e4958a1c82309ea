#include "fps_rounds.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "posix_loader_platform.h"
#include "renderer_app.h"
#include "scene.h"
#include "snapshot_loader.h"

namespace qgbench {

namespace {

using Clock = std::chrono::steady_clock;

// CPU seconds of this process, all threads (the software rasteriser's
// included): frames per CPU second are far steadier than per wall second on
// a machine others share.
double CpuSeconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec + t.tv_nsec * 1e-9;
}

// The real platform, with the frames counted where they are presented and a
// close request once they are.
class TimedPlatform final : public RendererPlatform, public DrawingTarget, public EventSource {
 public:
  TimedPlatform(RendererPlatform& real, long frames) : real_(real), count_(frames) {}
  bool Connect(std::string* why) override { return real_.Connect(why); }
  void Disconnect() override { real_.Disconnect(); }
  DisplayModeControl& DisplayMode() override { return real_.DisplayMode(); }
  void SetCursorVisible(bool visible) override { real_.SetCursorVisible(visible); }
  DrawingTarget& Target() override { return *this; }
  EventSource& Events() override { return *this; }
  void ShowErrorBox(const std::string& text) override { real_.ShowErrorBox(text); }
  LoaderPlatform& Loader() override { return real_.Loader(); }

  bool Open(const std::string& t, int w, int h, const PixelFormatRequest& r) override {
    return real_.Target().Open(t, w, h, r);
  }
  bool HasPixelFormat() override { return real_.Target().HasPixelFormat(); }
  void ClientSize(int* w, int* h) override { real_.Target().ClientSize(w, h); }
  void MarkPainted() override { real_.Target().MarkPainted(); }
  void HoldOffScreenSaver(bool hold) override { real_.Target().HoldOffScreenSaver(hold); }
  void Close() override { real_.Target().Close(); }
  bool CreateContext() override { return real_.Target().CreateContext(); }
  void DestroyContext() override { real_.Target().DestroyContext(); }
  void PresentFrame() override {
    real_.Target().PresentFrame();
    if (!count_.done()) count_.Presented();
  }

  bool Next(RendererMessage* m) override {
    if (count_.done() && !closed_) {
      closed_ = true;
      *m = RendererMessage{kMsgClose, 0, 0};
      return true;
    }
    return real_.Events().Next(m);
  }
  intptr_t DefaultHandling(const RendererMessage& m) override { return real_.Events().DefaultHandling(m); }

  Rate Measured() const { return count_.Measured(); }

 private:
  RendererPlatform& real_;
  FrameCount count_;
  bool closed_ = false;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0.0 : v[v.size() / 2];
}

}  // namespace

bool FrameCount::Presented() {
  const auto now = Clock::now();
  const double cpu = CpuSeconds();
  if (frames_++ == 0) {
    first_ = now;
    cpuFirst_ = cpu;
  }
  last_ = now;
  cpuLast_ = cpu;
  return done();
}

Rate FrameCount::Measured() const {
  Rate r;
  const double s = std::chrono::duration<double>(last_ - first_).count();
  if (frames_ > 1 && s > 0) r.perSecond = (frames_ - 1) / s;
  if (frames_ > 1 && cpuLast_ > cpuFirst_) r.perCpuSecond = (frames_ - 1) / (cpuLast_ - cpuFirst_);
  return r;
}

Rate RunShow(RendererPlatform& platform, long frames) {
  ResetSceneState();
  TimedPlatform timed(platform, frames);
  if (RendererMain(timed) != 0) return Rate{};
  return timed.Measured();
}

void PrepareBareScene(const std::string& snapshot) {
  ResizeScene(1024, 768);
  PosixLoaderPlatform loader([](const std::string&) {});
  LoadTexturesFrom(loader, snapshot);
  SetSceneGlState();
  glDisable(GL_BLEND);
  glColor4f(1, 1, 1, 1);
}

Rate RunBareFrames(long frames, const std::function<void()>& swap) {
  FrameCount count(frames);
  float offset = 0.0f;
  do {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glBindTexture(GL_TEXTURE_2D, SceneTextures[0]);
    offset += 0.001f;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 3 + offset); glVertex3f(-300, -15.5f, -300);
    glTexCoord2f(3, 3 + offset); glVertex3f(300, -15.5f, -300);
    glTexCoord2f(3, offset);     glVertex3f(300, -15.5f, 500);
    glTexCoord2f(0, offset);     glVertex3f(-300, -15.5f, 500);
    glEnd();
    glBegin(GL_QUADS);
    glTexCoord2f(0, 3 + offset); glVertex3f(-300, -10.5f, -300);
    glTexCoord2f(3, 3 + offset); glVertex3f(300, -10.5f, -300);
    glTexCoord2f(3, offset);     glVertex3f(300, 80.5f, 500);
    glTexCoord2f(0, offset);     glVertex3f(-300, 80.5f, 500);
    glEnd();
    swap();
  } while (!count.Presented());
  glDeleteTextures(1, &SceneTextures[0]);
  SceneTextures[0] = 0;
  return count.Measured();
}

int RunRounds(int rounds, const std::function<Rate()>& show, const std::function<Rate()>& bare) {
  std::printf("round  show fps  bare fps  ratio   show f/cpu-s  bare f/cpu-s  ratio\n");
  std::vector<double> ratios, cpuRatios;
  Rate showSum, bareSum;
  for (int r = 0; r < rounds; ++r) {
    // Alternate which goes first, so neither always meets the same load.
    Rate b, s;
    if (r % 2 == 0) {
      b = bare();
      s = show();
    } else {
      s = show();
      b = bare();
    }
    const double ratio = b.perSecond > 0 ? s.perSecond / b.perSecond : 0.0;
    const double cpuRatio = b.perCpuSecond > 0 ? s.perCpuSecond / b.perCpuSecond : 0.0;
    ratios.push_back(ratio);
    cpuRatios.push_back(cpuRatio);
    showSum.perSecond += s.perSecond, showSum.perCpuSecond += s.perCpuSecond;
    bareSum.perSecond += b.perSecond, bareSum.perCpuSecond += b.perCpuSecond;
    std::printf("%5d  %8.1f  %8.1f  %5.3f   %12.1f  %12.1f  %5.3f\n", r + 1, s.perSecond, b.perSecond, ratio,
                s.perCpuSecond, b.perCpuSecond, cpuRatio);
    std::fflush(stdout);
  }
  if (rounds < 1) return 1;
  std::printf("mean   %8.1f  %8.1f  %5.3f   %12.1f  %12.1f  %5.3f\n", showSum.perSecond / rounds,
              bareSum.perSecond / rounds, bareSum.perSecond > 0 ? showSum.perSecond / bareSum.perSecond : 0.0,
              showSum.perCpuSecond / rounds, bareSum.perCpuSecond / rounds,
              bareSum.perCpuSecond > 0 ? showSum.perCpuSecond / bareSum.perCpuSecond : 0.0);
  std::printf("median ratio: %.3f per wall second, %.3f per CPU second  (goal: >= 0.95)\n", Median(ratios),
              Median(cpuRatios));
  return 0;
}

}  // namespace qgbench
