#include "gl_recorder.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <initializer_list>

namespace glrec {

State& Recorded() {
  static State state;
  return state;
}

void Clear() { Recorded() = State(); }

std::vector<Call> CallsNamed(const std::string& name) {
  std::vector<Call> out;
  for (const Call& c : Recorded().calls)
    if (c.name == name) out.push_back(c);
  return out;
}

std::vector<std::string> Names() {
  std::vector<std::string> out;
  for (const Call& c : Recorded().calls) out.push_back(c.name);
  return out;
}

std::vector<std::vector<double>> Primitive(size_t n, unsigned* mode) {
  std::vector<std::vector<double>> out;
  size_t begins = 0;
  bool inside = false;
  double s = 0, t = 0;
  for (const Call& c : Recorded().calls) {
    if (c.name == "glBegin") {
      inside = begins == n;
      if (inside && mode) *mode = static_cast<unsigned>(c.args[0]);
      ++begins;
    } else if (c.name == "glEnd") {
      if (inside) return out;
    } else if (c.name == "glTexCoord2f" || c.name == "glTexCoord2i") {
      s = c.args[0];
      t = c.args[1];
    } else if (c.name == "glVertex3f" && inside) {
      out.push_back({s, t, c.args[0], c.args[1], c.args[2]});
    }
  }
  return out;
}

namespace {

void Record(const char* name, std::initializer_list<double> args, bool allowedInBegin = false) {
  State& s = Recorded();
  if (s.insideBegin && !allowedInBegin) s.faults.push_back(std::string(name) + " inside glBegin");
  s.calls.push_back(Call{name, std::vector<double>(args)});
}

}  // namespace
}  // namespace glrec

using glrec::Record;

extern "C" {

void glViewport(GLint x, GLint y, GLsizei w, GLsizei h) { Record("glViewport", {double(x), double(y), double(w), double(h)}); }
void glMatrixMode(GLenum mode) {
  Record("glMatrixMode", {double(mode)});
  glrec::Recorded().matrixMode = mode;
}
void glLoadIdentity() { Record("glLoadIdentity", {double(glrec::Recorded().matrixMode)}); }
void glShadeModel(GLenum mode) { Record("glShadeModel", {double(mode)}); }
void glHint(GLenum target, GLenum mode) { Record("glHint", {double(target), double(mode)}); }
void glClearDepth(GLclampd depth) { Record("glClearDepth", {depth}); }
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) { Record("glClearColor", {r, g, b, a}); }
void glEnable(GLenum cap) { Record("glEnable", {double(cap)}); }
void glDisable(GLenum cap) { Record("glDisable", {double(cap)}); }
void glBlendFunc(GLenum s, GLenum d) { Record("glBlendFunc", {double(s), double(d)}); }
void glClear(GLbitfield mask) { Record("glClear", {double(mask)}); }
void glRotatef(GLfloat a, GLfloat x, GLfloat y, GLfloat z) { Record("glRotatef", {a, x, y, z}); }
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { Record("glColor4f", {r, g, b, a}, true); }
void glColor4fv(const GLfloat* v) { Record("glColor4fv", {v[0], v[1], v[2], v[3]}, true); }
void glBindTexture(GLenum target, GLuint name) { Record("glBindTexture", {double(target), double(name)}); }
void glBegin(GLenum mode) {
  glrec::State& s = glrec::Recorded();
  if (s.insideBegin) s.faults.push_back("nested glBegin");
  Record("glBegin", {double(mode)});
  s.insideBegin = true;
}
void glEnd() {
  glrec::State& s = glrec::Recorded();
  if (!s.insideBegin) s.faults.push_back("glEnd without glBegin");
  s.insideBegin = false;
  Record("glEnd", {});
}
void glTexCoord2f(GLfloat s, GLfloat t) { Record("glTexCoord2f", {s, t}, true); }
void glTexCoord2i(GLint s, GLint t) { Record("glTexCoord2i", {double(s), double(t)}, true); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (!glrec::Recorded().insideBegin) glrec::Recorded().faults.push_back("glVertex3f outside glBegin");
  Record("glVertex3f", {x, y, z}, true);
}
void glGenTextures(GLsizei n, GLuint* names) {
  Record("glGenTextures", {double(n)});
  for (GLsizei i = 0; i < n; ++i) names[i] = glrec::Recorded().nextTexture++;
}
void glTexParameteri(GLenum target, GLenum name, GLint value) {
  Record("glTexParameteri", {double(target), double(name), double(value)});
}
void glPixelStorei(GLenum name, GLint value) {
  Record("glPixelStorei", {double(name), double(value)});
  if (name == GL_UNPACK_ALIGNMENT) glrec::Recorded().unpackAlignment = value;
}
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  Record("gluPerspective", {fovy, aspect, zNear, zFar});
}
GLint gluBuild2DMipmaps(GLenum target, GLint components, GLsizei width, GLsizei height, GLenum format,
                        GLenum type, const void* data) {
  glrec::State& s = glrec::Recorded();
  Record("gluBuild2DMipmaps", {double(target), double(components), double(width), double(height),
                               double(format), double(type)});
  glrec::Upload up{components, width, height, format, type, s.unpackAlignment, {}};
  if (width > 0 && height > 0 && format == GL_RGB && type == GL_UNSIGNED_BYTE) {
    // Read exactly what GL would: rows of 3 * width bytes, each starting at a
    // multiple of the unpack alignment; the last row is not padded.
    const size_t row = size_t(width) * 3;
    const size_t a = size_t(s.unpackAlignment);
    const size_t stride = (row + a - 1) / a * a;
    const auto* p = static_cast<const uint8_t*>(data);
    for (GLsizei y = 0; y < height; ++y) up.bytes.insert(up.bytes.end(), p + y * stride, p + y * stride + row);
  }
  s.uploads.push_back(std::move(up));
  return 0;
}

}  // extern "C"
