// The floor of a show's start on a desktop of any size: one bare process
// doing the same work in a row (XGetImage of the root, a plain write of the
// pixels, a GLX window and context, conversion to RGB, gluBuild2DMipmaps as
// the show calls it, one textured frame and its swap). It then prints a line
// and waits to be ended, so the caller times it to that line.
// Usage: show_bare_big_start FILE
#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) return 1;
  const int w = DisplayWidth(dpy, 0), h = DisplayHeight(dpy, 0);
  Window root = DefaultRootWindow(dpy);
  XImage* img = XGetImage(dpy, root, 0, 0, w, h, AllPlanes, ZPixmap);
  if (!img) return 1;
  const int fd = open(argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const size_t bytes = static_cast<size_t>(img->bytes_per_line) * h;
  for (size_t off = 0; off < bytes;) {
    const ssize_t n = write(fd, img->data + off, bytes - off);
    if (n <= 0) return 1;
    off += static_cast<size_t>(n);
  }
  close(fd);

  int attrs[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_DEPTH_SIZE, 16, None};
  XVisualInfo* vi = glXChooseVisual(dpy, DefaultScreen(dpy), attrs);
  if (!vi) return 1;
  XSetWindowAttributes wa{};
  wa.colormap = XCreateColormap(dpy, root, vi->visual, AllocNone);
  wa.override_redirect = True;
  Window win = XCreateWindow(dpy, root, 0, 0, 1024, 768, 0, vi->depth, InputOutput, vi->visual,
                             CWColormap | CWOverrideRedirect, &wa);
  XMapWindow(dpy, win);
  GLXContext ctx = glXCreateContext(dpy, vi, nullptr, True);
  glXMakeCurrent(dpy, win, ctx);

  // Bottom row first, as GL takes it.
  std::vector<unsigned char> rgb(static_cast<size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y) {
    const unsigned char* src = reinterpret_cast<unsigned char*>(img->data) + static_cast<size_t>(h - 1 - y) * img->bytes_per_line;
    unsigned char* dst = rgb.data() + static_cast<size_t>(y) * w * 3;
    for (int x = 0; x < w; ++x, src += 4, dst += 3) dst[0] = src[2], dst[1] = src[1], dst[2] = src[0];
  }
  GLuint tex = 0;
  glGenTextures(1, &tex);
  glBindTexture(GL_TEXTURE_2D, tex);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gluBuild2DMipmaps(GL_TEXTURE_2D, 3, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());

  glViewport(0, 0, 1024, 768);
  glEnable(GL_TEXTURE_2D);
  glClear(GL_COLOR_BUFFER_BIT);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0); glVertex2f(-1, -1);
  glTexCoord2f(1, 0); glVertex2f(1, -1);
  glTexCoord2f(1, 1); glVertex2f(1, 1);
  glTexCoord2f(0, 1); glVertex2f(-1, 1);
  glEnd();
  glXSwapBuffers(dpy, win);
  glFinish();
  XSync(dpy, False);
  std::printf("frame\n");
  std::fflush(stdout);
  for (;;) pause();
}
