// The frame drawn by Mesa for real, offscreen, and read back: how the pieces
// light the sheets, and the texture GLU makes of the snapshot. (The sheets'
// picture is read back from the screen in tests/renderer.)
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include "bmp_writer.h"
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
  // adds the pieces to its list and draws the first frame.
  void DrawFirstFrame(const bmptest::Picture& picture, std::vector<Piece*> pieces = {}) {
    platform.files["snapshot.bmp"] = bmptest::Encode(picture, {});
    ResetSceneState();
    SceneTextures[0] = 0;
    ResizeScene(1024, 768);
    LoadTexturesFrom(platform, "snapshot.bmp");
    InitAnimation();
    SetSceneGlState();
    for (Piece* p : pieces) ASSERT_TRUE(ScenePieces->Add(p));
    TickClock();
    int swaps = 0;
    DrawFrame([&swaps] { ++swaps; });
    glFinish();
    EXPECT_EQ(swaps, 1);
  }
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
