// The frame drawn by Mesa for real, offscreen: the snapshot decoded, turned
// into a texture by GLU and shown on both sheets, read back from the
// framebuffer.
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>

#include "bmp_writer.h"
#include "pieces.h"
#include "scene.h"
#include "snapshot_loader.h"

namespace {

// GL 3.0 framebuffer-object entry points, fetched at run time.
using GenFn = void (*)(GLsizei, GLuint*);
using BindFn = void (*)(GLenum, GLuint);
using StorageFn = void (*)(GLenum, GLenum, GLsizei, GLsizei);
using AttachFn = void (*)(GLenum, GLenum, GLenum, GLuint);
constexpr GLenum kFramebuffer = 0x8D40, kRenderbuffer = 0x8D41, kColour0 = 0x8CE0, kDepth = 0x8D00;

bool MakeContextWithFramebuffer(int width, int height) {
  auto getDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!getDisplay) return false;
  EGLDisplay dpy = getDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (dpy == EGL_NO_DISPLAY || !eglInitialize(dpy, nullptr, nullptr) || !eglBindAPI(EGL_OPENGL_API)) return false;
  EGLContext ctx = eglCreateContext(dpy, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, nullptr);
  if (ctx == EGL_NO_CONTEXT || !eglMakeCurrent(dpy, EGL_NO_SURFACE, EGL_NO_SURFACE, ctx)) return false;
  auto gen = reinterpret_cast<GenFn>(eglGetProcAddress("glGenFramebuffers"));
  auto bind = reinterpret_cast<BindFn>(eglGetProcAddress("glBindFramebuffer"));
  auto genRb = reinterpret_cast<GenFn>(eglGetProcAddress("glGenRenderbuffers"));
  auto bindRb = reinterpret_cast<BindFn>(eglGetProcAddress("glBindRenderbuffer"));
  auto storage = reinterpret_cast<StorageFn>(eglGetProcAddress("glRenderbufferStorage"));
  auto attach = reinterpret_cast<AttachFn>(eglGetProcAddress("glFramebufferRenderbuffer"));
  if (!gen || !bind || !genRb || !bindRb || !storage || !attach) return false;
  GLuint fb = 0, rb[2] = {0, 0};
  gen(1, &fb);
  bind(kFramebuffer, fb);
  genRb(2, rb);
  bindRb(kRenderbuffer, rb[0]);
  storage(kRenderbuffer, GL_RGBA8, width, height);
  attach(kFramebuffer, kColour0, kRenderbuffer, rb[0]);
  bindRb(kRenderbuffer, rb[1]);
  storage(kRenderbuffer, GL_DEPTH_COMPONENT16, width, height);
  attach(kFramebuffer, kDepth, kRenderbuffer, rb[1]);
  return glGetError() == GL_NO_ERROR;
}

struct MemoryFile : MappedFile {
  std::vector<uint8_t> bytes;
};

class OneFilePlatform : public LoaderPlatform {
 public:
  std::vector<uint8_t> bytes;
  std::vector<std::string> messages;
  bool CanOpenForReading(const std::string&) override { return !bytes.empty(); }
  std::unique_ptr<MappedFile> MapWholeFile(const std::string&) override {
    auto f = std::make_unique<MemoryFile>();
    f->bytes = bytes;
    f->data = f->bytes.data();
    f->size = f->bytes.size();
    return f;
  }
  void ShowErrorBox(const std::string& text) override { messages.push_back(text); }
};

struct Rgb {
  int r, g, b;
};

Rgb PixelAt(int x, int y) {
  uint8_t p[4] = {0, 0, 0, 0};
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
  return {p[0], p[1], p[2]};
}

void ExpectColour(Rgb got, Rgb want, const char* where) {
  EXPECT_NEAR(got.r, want.r, 3) << where;
  EXPECT_NEAR(got.g, want.g, 3) << where;
  EXPECT_NEAR(got.b, want.b, 3) << where;
}

// Draws the first frame with the given snapshot (none when empty).
void DrawFirstFrame(const std::vector<uint8_t>& snapshot, OneFilePlatform& platform) {
  ResetSceneState();
  SceneTextures[0] = 0;
  platform.bytes = snapshot;
  ResizeScene(1024, 768);
  LoadTexturesFrom(platform, "snapshot.bmp");
  InitAnimation();
  SetSceneGlState();
  TickClock();
  int swaps = 0;
  DrawFrame([&swaps] { ++swaps; });
  glFinish();
  EXPECT_EQ(swaps, 1);
}

}  // namespace

TEST(RealGlFrame, SheetsShowTheSnapshotAboveAndBelowTheHorizon) {
  if (!MakeContextWithFramebuffer(1024, 768)) GTEST_SKIP() << "no offscreen GL context";
  bmptest::Picture pic{1023, 9, {}};  // odd width: rows are not 4-byte multiples
  for (int i = 0; i < pic.width * pic.height; ++i) pic.rgb.insert(pic.rgb.end(), {200, 40, 90});
  OneFilePlatform platform;
  DrawFirstFrame(bmptest::Encode(pic, {}), platform);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_NE(SceneTextures[0], 0u);
  ExpectColour(PixelAt(512, 60), {200, 40, 90}, "floor");
  ExpectColour(PixelAt(100, 60), {200, 40, 90}, "floor, left");
  ExpectColour(PixelAt(512, 720), {200, 40, 90}, "canopy");
  // Between the far edges of floor and canopy lies the empty black distance.
  ExpectColour(PixelAt(512, 344), {0, 0, 0}, "horizon gap");
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

  DrawFirstFrame({}, platform);  // no snapshot: plain white sheets
  EXPECT_EQ(SceneTextures[0], 0u);
  ExpectColour(PixelAt(512, 60), {255, 255, 255}, "white floor");
  ExpectColour(PixelAt(512, 720), {255, 255, 255}, "white canopy");
  ExpectColour(PixelAt(512, 344), {0, 0, 0}, "horizon gap without texture");
  ResetSceneState();
}

// A piece adds its light to the sheet behind it: a dim one over a bright
// floor comes out brighter than either.
TEST(RealGlFrame, PiecesAddTheirLightToTheSheetBehind) {
  if (!MakeContextWithFramebuffer(1024, 768)) GTEST_SKIP() << "no offscreen GL context";
  bmptest::Picture pic{64, 64, {}};
  for (int i = 0; i < pic.width * pic.height; ++i) pic.rgb.insert(pic.rgb.end(), {200, 40, 90});
  OneFilePlatform platform;
  platform.bytes = bmptest::Encode(pic, {});
  ResetSceneState();
  ResizeScene(1024, 768);
  LoadTexturesFrom(platform, "snapshot.bmp");
  InitAnimation();
  SetSceneGlState();
  // Just above the floor, 50 units ahead: its square covers (512, 160).
  const float at[3] = {0, -12, -50}, still[3] = {0, 0, 0}, colour[4] = {0.2f, 0.5f, 0, 1}, steady[4] = {};
  Piece* piece = new Piece(ScenePieces);
  piece->Configure(at, still, colour, steady, 2.0f, 0.0f, 1000.0f, 0.5f);
  piece->fadingIn = false;
  ASSERT_TRUE(ScenePieces->Add(piece));
  TickClock();
  DrawFrame(nullptr);
  glFinish();
  ExpectColour(PixelAt(512, 60), {200, 40, 90}, "floor beside the piece");
  ExpectColour(PixelAt(512, 160), {240, 60, 90}, "the piece's texture colour added to the floor's");
  ResetSceneState();
}

namespace {

// The whole framebuffer after one frame drawn at time zero (no slide, no
// turn) with the scene's texture as it stands.
std::vector<uint8_t> FrameAtTimeZero(int width, int height) {
  const uint32_t texture = SceneTextures[0];
  ResetSceneState();
  SceneTextures[0] = texture;
  ResizeScene(width, height);
  SetSceneGlState();
  DrawFrame(nullptr);
  glFinish();
  std::vector<uint8_t> pixels(size_t(width) * height * 4);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

std::vector<uint8_t> LevelZero() {
  GLint w = 0, h = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
  std::vector<uint8_t> texels(size_t(w) * h * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  return texels;
}

}  // namespace

// The loader keeps GLU to level 0 (the only one sampled) and lets the picture
// go once GLU has scaled it: the frame must be exactly the one of a texture
// built by GLU as a whole chain under the plain filter.
TEST(RealGlFrame, Level0AloneGivesTheFrameOfTheWholeChain) {
  if (!MakeContextWithFramebuffer(1024, 768)) GTEST_SKIP() << "no offscreen GL context";
  bmptest::Picture pic{1366, 777, {}};  // neither side a power of two: GLU scales
  uint32_t seed = 12345;
  for (int i = 0; i < pic.width * pic.height * 3; ++i) {
    seed = seed * 1103515245u + 12345u;
    pic.rgb.push_back(uint8_t(seed >> 16));
  }
  OneFilePlatform platform;
  platform.bytes = bmptest::Encode(pic, {});
  SceneTextures[0] = 0;
  LoadTexturesFrom(platform, "snapshot.bmp");
  ASSERT_NE(SceneTextures[0], 0u);
  glBindTexture(GL_TEXTURE_2D, SceneTextures[0]);
  GLint filter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
  EXPECT_EQ(filter, GL_LINEAR);
  const std::vector<uint8_t> ours = LevelZero();
  GLint level1 = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &level1);
  EXPECT_EQ(level1, 0) << "levels past 0 were uploaded";
  const std::vector<uint8_t> frame = FrameAtTimeZero(1024, 768);

  // The texture as the show built it before: the plain filter, then GLU.
  std::optional<ImageData> image = LoadSnapshotImage(platform, "snapshot.bmp");
  ASSERT_TRUE(image.has_value());
  GLuint reference = 0;
  glGenTextures(1, &reference);
  glBindTexture(GL_TEXTURE_2D, reference);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image->width, image->height, GL_RGB, GL_UNSIGNED_BYTE, image->pixels.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  const std::vector<uint8_t> theirs = LevelZero();
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &level1);
  EXPECT_GT(level1, 0) << "outside the loader, GLU's uploads reach GL unchanged";
  const uint32_t ourTexture = SceneTextures[0];
  SceneTextures[0] = reference;
  const std::vector<uint8_t> referenceFrame = FrameAtTimeZero(1024, 768);

  EXPECT_FALSE(ours.empty());
  EXPECT_TRUE(ours == theirs) << "level 0 differs";
  EXPECT_TRUE(frame == referenceFrame) << "the frame differs";
  // The frame shows the picture, not a blank: most of it is not black.
  size_t lit = 0;
  for (size_t i = 0; i < frame.size(); i += 4) lit += (frame[i] | frame[i + 1] | frame[i + 2]) != 0;
  EXPECT_GT(lit, frame.size() / 4 / 2);
  glDeleteTextures(1, &reference);
  GLuint name = ourTexture;
  glDeleteTextures(1, &name);
  SceneTextures[0] = 0;
  ResetSceneState();
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
