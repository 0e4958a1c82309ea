#include "bare_gl_scene.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace qgbench {

std::vector<unsigned char> RgbFromScreen(const unsigned char* pixels, int width, int height, std::size_t stride) {
  std::vector<unsigned char> rgb(std::size_t(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const unsigned char* src = pixels + std::size_t(height - 1 - y) * stride;
    unsigned char* dst = rgb.data() + std::size_t(y) * width * 3;
    for (int x = 0; x < width; ++x, src += 4, dst += 3) dst[0] = src[2], dst[1] = src[1], dst[2] = src[0];
  }
  return rgb;
}

std::vector<unsigned char> MadeUpRgb(int width, int height) {
  std::vector<unsigned char> rgb(std::size_t(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    unsigned char* dst = rgb.data() + std::size_t(y) * width * 3;
    for (int x = 0; x < width; ++x, dst += 3)
      dst[0] = (unsigned char)(x * 255 / width), dst[1] = (unsigned char)(y * 255 / height), dst[2] = 0xc0;
  }
  return rgb;
}

void BuildTexture(const std::vector<unsigned char>& rgb, int width, int height, Levels levels) {
  GLuint tex = 0;
  glGenTextures(1, &tex);
  glBindTexture(GL_TEXTURE_2D, tex);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                  levels == Levels::kRoomForAll ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

void DrawSheets() {
  glViewport(0, 0, 1024, 768);
  glEnable(GL_TEXTURE_2D);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  // Two sheets with the dark distance between them, as the show's first frame
  // looks to the eye on the screen.
  glBegin(GL_QUADS);
  for (float top : {-0.06f, 1.0f}) {
    glTexCoord2f(0, 0); glVertex2f(-1, top - 0.94f);
    glTexCoord2f(1, 0); glVertex2f(1, top - 0.94f);
    glTexCoord2f(1, 1); glVertex2f(1, top);
    glTexCoord2f(0, 1); glVertex2f(-1, top);
  }
  glEnd();
}

}  // namespace qgbench
