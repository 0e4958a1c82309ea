// Decode speed of the bitmap decoder for desktop-sized snapshots, against a
// plain copy of the same pixel bytes in the same run (the reference), and,
// apart, the texture build (gluBuild2DMipmaps) under an offscreen GL context.
#include <benchmark/benchmark.h>

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <vector>

#include "bitmap_decoder.h"

namespace {

std::vector<uint8_t> MakeBitmap(int width, int height, int bits) {
  const size_t stride = (size_t(width) * bits + 31) / 32 * 4;
  std::vector<uint8_t> b(54 + stride * height);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, uint32_t(b.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(width));
  put32(22, uint32_t(height));
  b[26] = 1;
  b[28] = uint8_t(bits);
  for (size_t i = 54; i < b.size(); ++i) b[i] = uint8_t(i * 2654435761u >> 13);
  return b;
}

size_t PixelBytes(const std::vector<uint8_t>& file) { return file.size() - 54; }

using Clock = std::chrono::steady_clock;

// The reference: copying the pixel bytes into a freshly allocated output of
// the decoded size, the least any decoder has to do.
void CopyOnce(const std::vector<uint8_t>& file, size_t outBytes) {
  std::vector<uint8_t> out(outBytes);
  std::memcpy(out.data(), file.data() + 54, std::min(outBytes, PixelBytes(file)));
  benchmark::DoNotOptimize(out.data());
}

double BestSeconds(int runs, const std::function<void()>& work) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    const auto t0 = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count());
  }
  return best;
}

void BM_Decode(benchmark::State& state) {
  const std::vector<uint8_t> file = MakeBitmap(int(state.range(0)), int(state.range(1)), int(state.range(2)));
  const size_t outBytes = size_t(state.range(0)) * size_t(state.range(1)) * 3;
  double bestDecode = 1e9;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    DecodeResult r = DecodeBitmap(file.data(), file.size());
    benchmark::DoNotOptimize(r.image.pixels.data());
    bestDecode = std::min(bestDecode, std::chrono::duration<double>(Clock::now() - t0).count());
    if (r.status != DecodeStatus::Ok) state.SkipWithError("decode failed");
  }
  const double bestCopy = BestSeconds(20, [&] { CopyOnce(file, outBytes); });
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(PixelBytes(file)));
  // Best decode against best reference copy, measured in this same run.
  state.counters["x_copy"] = bestDecode / bestCopy;
  state.counters["best_GBps"] = double(PixelBytes(file)) / bestDecode / 1e9;
}

void BM_CopyReference(benchmark::State& state) {
  const std::vector<uint8_t> file = MakeBitmap(int(state.range(0)), int(state.range(1)), int(state.range(2)));
  const size_t outBytes = size_t(state.range(0)) * size_t(state.range(1)) * 3;
  for (auto _ : state) CopyOnce(file, outBytes);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(PixelBytes(file)));
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (int bits : {24, 32})
    for (auto [w, h] : {std::pair{1024, 768}, {1920, 1080}, {3840, 2160}}) b->Args({w, h, bits});
  b->ArgNames({"w", "h", "bits"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Decode)->Apply(Sizes);
BENCHMARK(BM_CopyReference)->Apply(Sizes);

// An offscreen desktop-GL context on Mesa's surfaceless platform, so GLU's
// texture build runs for real without a display.
bool MakeOffscreenContext() {
  static int made = -1;
  if (made >= 0) return made == 1;
  made = 0;
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!getPlatformDisplay) return false;
  EGLDisplay dpy = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (dpy == EGL_NO_DISPLAY || !eglInitialize(dpy, nullptr, nullptr)) return false;
  if (!eglBindAPI(EGL_OPENGL_API)) return false;
  const EGLint configAttribs[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
  EGLConfig config;
  EGLint count = 0;
  eglChooseConfig(dpy, configAttribs, &config, 1, &count);
  EGLContext ctx = eglCreateContext(dpy, count ? config : EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, nullptr);
  if (ctx == EGL_NO_CONTEXT || !eglMakeCurrent(dpy, EGL_NO_SURFACE, EGL_NO_SURFACE, ctx)) return false;
  made = 1;
  return true;
}

void BM_TextureBuild(benchmark::State& state) {
  if (!MakeOffscreenContext()) {
    state.SkipWithError("no offscreen GL context");
    return;
  }
  const int w = int(state.range(0)), h = int(state.range(1));
  const DecodeResult decoded = DecodeBitmap(MakeBitmap(w, h, 24).data(), MakeBitmap(w, h, 24).size());
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (auto _ : state) {
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, w, h, GL_RGB, GL_UNSIGNED_BYTE, decoded.image.pixels.data());
    glFinish();
  }
  glDeleteTextures(1, &name);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(decoded.image.pixels.size()));
}
BENCHMARK(BM_TextureBuild)
    ->Args({1024, 768})
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->ArgNames({"w", "h"})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
