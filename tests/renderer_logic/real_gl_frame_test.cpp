// The frame drawn by Mesa for real, offscreen, and read back: how the pieces
// light the sheets, and the texture GLU makes of the snapshot. (The sheets'
// picture is read back from the screen in tests/renderer.)
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>

#include "bmp_writer.h"
#include "fake_clock.h"
#include "memory_loader.h"
#include "pieces.h"
#include "scene.h"

namespace {

// A 1024 x 768 offscreen surface of Mesa's, with a depth buffer, current.
bool MakeOffscreenContext() {
  auto getDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!getDisplay) return false;
  EGLDisplay dpy = getDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (dpy == EGL_NO_DISPLAY || !eglInitialize(dpy, nullptr, nullptr) || !eglBindAPI(EGL_OPENGL_API)) return false;
  const EGLint want[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_RED_SIZE, 8,
                         EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_DEPTH_SIZE, 16, EGL_NONE};
  const EGLint size[] = {EGL_WIDTH, 1024, EGL_HEIGHT, 768, EGL_NONE};
  EGLConfig config;
  EGLint configs = 0;
  if (!eglChooseConfig(dpy, want, &config, 1, &configs) || configs != 1) return false;
  EGLSurface surface = eglCreatePbufferSurface(dpy, config, size);
  EGLContext ctx = eglCreateContext(dpy, config, EGL_NO_CONTEXT, nullptr);
  return surface != EGL_NO_SURFACE && ctx != EGL_NO_CONTEXT && eglMakeCurrent(dpy, surface, surface, ctx);
}

void ExpectColourAt(int x, int y, std::vector<int> want, const char* where) {
  uint8_t p[4] = {0, 0, 0, 0};
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(p[i], want[i], 3) << where << ", channel " << i;
}

class RealGlFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!MakeOffscreenContext()) GTEST_SKIP() << "no offscreen GL context";
  }
  void TearDown() override {
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    ResetSceneState();
  }
  // Starts the scene with the picture as its snapshot, as the renderer does,
  // adds the pieces to its list and draws the first frame, `seconds` in.
  void DrawFirstFrame(const bmptest::Picture& picture, std::vector<Piece*> pieces = {}, double seconds = 0) {
    platform.files["snapshot.bmp"] = bmptest::Encode(picture, {});
    ResetSceneState();
    SceneTextures[0] = 0;
    ResizeScene(1024, 768);
    LoadTexturesFrom(platform, "snapshot.bmp");
    InitAnimation();
    SetSceneGlState();
    for (Piece* p : pieces) ASSERT_TRUE(ScenePieces->Add(p));
    clock.AdvanceSeconds(seconds);
    TickClock();
    int swaps = 0;
    DrawFrame([&swaps] { ++swaps; });
    glFinish();
    EXPECT_EQ(swaps, 1);
  }
  FakeClock clock;
  MemoryLoader platform;
};

}  // namespace

// A piece adds its light to the sheet behind it: a dim one over a bright
// floor comes out brighter than either.
TEST_F(RealGlFrame, PiecesAddTheirLightToTheSheetBehind) {
  bmptest::Picture pic{64, 64, {}};
  for (int i = 0; i < 64 * 64; ++i) pic.rgb.insert(pic.rgb.end(), {200, 40, 90});
  // Just above the floor, 50 units ahead: its square covers (512, 160).
  const float at[3] = {0, -12, -50}, still[3] = {0, 0, 0}, colour[4] = {0.2f, 0.5f, 0, 1}, steady[4] = {};
  Piece* piece = new Piece(nullptr);
  piece->Configure(at, still, colour, steady, 2.0f, 0.0f, 1000.0f, 0.5f);
  piece->fadingIn = false;
  DrawFirstFrame(pic, {piece});
  ExpectColourAt(512, 60, {200, 40, 90}, "floor beside the piece");
  ExpectColourAt(512, 160, {240, 60, 90}, "the piece's texture colour added to the floor's");
}

// The loader keeps GLU to level 0 (the only one sampled) and lets the picture
// go once GLU has scaled it: that level must be exactly what GLU makes of the
// picture's packed rows when it builds the whole chain.
TEST_F(RealGlFrame, TextureIsGlusLevelZeroOfThePackedRowsAlone) {
  bmptest::Picture pic{1366, 777, {}};  // neither side a power of two: GLU scales; rows not 4-byte multiples
  uint32_t seed = 12345;
  for (int i = 0; i < pic.width * pic.height * 3; ++i) pic.rgb.push_back(uint8_t((seed = seed * 1103515245u + 12345u) >> 16));
  DrawFirstFrame(pic);
  auto levelZero = [](GLuint texture) {
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    std::vector<uint8_t> texels(size_t(w) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    return texels;
  };
  const std::vector<uint8_t> ours = levelZero(SceneTextures[0]);
  GLint filter = 0;  // a filter that samples further levels would find the texture incomplete
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
  EXPECT_EQ(filter, GL_LINEAR);
  GLint level1 = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &level1);
  EXPECT_EQ(level1, 0) << "levels past 0 were uploaded";

  GLuint reference = 0;
  glGenTextures(1, &reference);
  glBindTexture(GL_TEXTURE_2D, reference);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gluBuild2DMipmaps(GL_TEXTURE_2D, 3, pic.width, pic.height, GL_RGB, GL_UNSIGNED_BYTE, pic.rgb.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &level1);
  EXPECT_GT(level1, 0) << "outside the loader, GLU's uploads reach GL unchanged";
  EXPECT_FALSE(ours.empty());
  EXPECT_TRUE(ours == levelZero(reference)) << "level 0 differs";
  glDeleteTextures(1, &reference);
}

namespace {

// What the eye sees through the centre of a pixel of the 1024 x 768 frame,
// from the scene's geometry alone: the eye at the origin looking down -z with
// +y up, a vertical field of view of 45 degrees; the floor at y = -15.5 and
// the canopy rising from y = -10.5 at its far edge (z = -300) to 80.5 at its
// near edge (z = 500), both from x = -300 to 300; the picture three times
// across and three times along, its first row at the near edges, slid
// `offset` picture lengths towards the eye.
struct Seen {
  int sheet = 0;  // 0 nothing, 1 floor, 2 canopy
  double s = 0, t = 0;
};

Seen SeenThrough(double px, double py, double offset) {
  const double half = std::tan(22.5 * M_PI / 180.0);
  const double dx = ((px + 0.5) / 512.0 - 1.0) * half * 1024.0 / 768.0, dy = ((py + 0.5) / 384.0 - 1.0) * half;
  Seen seen;
  auto take = [&](int sheet, double along) {  // along: how far down -z the ray meets the sheet's plane
    const double x = dx * along, z = -along;
    if (along <= 0 || z < -300 || z > 500 || std::abs(x) > 300 || seen.sheet) return;
    seen = {sheet, 3 * (x + 300) / 600, offset + 3 * (500 - z) / 800};
  };
  // The canopy lies above the floor's far edge and is drawn after it.
  const double rise = 91.0 / 800.0;  // the canopy's height gained per unit of z
  if (dy + rise > 0) take(2, (-10.5 + 300 * rise) / (dy + rise));
  if (dy < 0) take(1, -15.5 / dy);
  return seen;
}

// How far apart two picture coordinates lie, the repeat taken into account.
double Apart(double a, double b) {
  const double d = std::abs((a - std::floor(a)) - (b - std::floor(b)));
  return std::min(d, 1 - d);
}

}  // namespace

// The sheets lie where the scene's geometry puts them: a picture whose red and
// green count its columns and rows gives the picture coordinates shown at
// every pixel, to be found where the geometry says, and black wherever no
// sheet lies (the distance between the far edges, and beyond them), at start
// and as the picture slides.
TEST_F(RealGlFrame, SheetsShowThePictureWhereTheirGeometryPutsIt) {
  bmptest::Picture pic{256, 256, {}};
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) pic.rgb.insert(pic.rgb.end(), {uint8_t(x), uint8_t(y), 255});
  DrawFirstFrame(pic);
  std::vector<uint8_t> frame(1024 * 768 * 4);
  double now = 0;
  for (double seconds : {0.0, 3.125, 8.125}) {
    if (seconds > now) {
      clock.AdvanceSeconds(seconds - now);
      now = seconds;
      TickClock();
      DrawFrame([] {});
    }
    const double offset = 0.08 * seconds;  // the picture slides 0.08 of its length a second
    glReadPixels(0, 0, 1024, 768, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    int checked = 0, wrong = 0;
    std::string first;
    for (int y = 2; y < 766; y += 3)
      for (int x = 2; x < 1022; x += 11) {
        const Seen here = SeenThrough(x, y, offset);
        // Next to an edge, or where neighbouring pixels lie far apart in the
        // picture, the pixel's own coverage decides; those are left out.
        double spread = 0;
        bool edge = false;
        for (auto [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}) {
          const Seen near = SeenThrough(nx, ny, offset);
          edge |= near.sheet != here.sheet;
          spread = std::max({spread, Apart(near.s, here.s), Apart(near.t, here.t)});
        }
        const uint8_t* p = &frame[(size_t(y) * 1024 + x) * 4];
        const double s = (p[0] + 0.5) / 256, t = (p[1] + 0.5) / 256, within = 2.0 / 256 + spread;
        const auto wraps = [&](double c) { return Apart(c, 0) < within; };  // where the picture's edges blend
        if (edge || (here.sheet && (spread > 8.0 / 256 || wraps(here.s) || wraps(here.t)))) continue;
        ++checked;
        const bool ok = here.sheet ? p[2] > 240 && Apart(s, here.s) <= within && Apart(t, here.t) <= within
                                   : p[0] + p[1] + p[2] == 0;
        if (!ok && wrong++ == 0)
          first = "at (" + std::to_string(x) + ", " + std::to_string(y) + ") sheet " + std::to_string(here.sheet) +
                  " (" + std::to_string(here.s) + ", " + std::to_string(here.t) + ") shows (" + std::to_string(s) +
                  ", " + std::to_string(t) + ") blue " + std::to_string(p[2]);
      }
    EXPECT_GT(checked, 10000) << seconds << " s";
    EXPECT_EQ(wrong, 0) << seconds << " s; first " << first;
  }
}
