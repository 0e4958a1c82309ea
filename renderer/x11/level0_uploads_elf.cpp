// GLU calls glTexImage2D through the dynamic linker, which binds it to the
// program's own definition first; this one filters the uploads while a scope
// is open and hands everything else to the GL library unchanged.
#include <dlfcn.h>

#include <GL/gl.h>

#include "level0_uploads.h"

namespace {

using TexImage2D = void (*)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void*);

TexImage2D NextTexImage2D() {
  static const TexImage2D next = reinterpret_cast<TexImage2D>(dlsym(RTLD_NEXT, "glTexImage2D"));
  return next;
}

struct Scope {
  bool open = false;
  const char* begin = nullptr;
  const char* end = nullptr;
  std::function<void()> release;
};
Scope g_scope;

}  // namespace

extern "C" GLAPI void GLAPIENTRY glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                                              GLsizei height, GLint border, GLenum format, GLenum type,
                                              const void* pixels) {
  if (g_scope.open && target == GL_TEXTURE_2D) {
    if (level > 0) return;
    const char* p = static_cast<const char*>(pixels);
    // Level 0 from the picture itself (one already a power of two on each
    // side) means GLU still halves from it: it is kept.
    if (g_scope.release && (p < g_scope.begin || p >= g_scope.end)) {
      std::function<void()> release = std::move(g_scope.release);
      g_scope.release = nullptr;
      release();
    }
  }
  NextTexImage2D()(target, level, internalFormat, width, height, border, format, type, pixels);
}

bool Level0Uploads::Available() { return NextTexImage2D() != nullptr; }

Level0Uploads::Level0Uploads(const void* picture, std::size_t size, std::function<void()> release) {
  g_scope.open = true;
  g_scope.begin = static_cast<const char*>(picture);
  g_scope.end = g_scope.begin + size;
  g_scope.release = std::move(release);
}

Level0Uploads::~Level0Uploads() { g_scope = Scope{}; }
