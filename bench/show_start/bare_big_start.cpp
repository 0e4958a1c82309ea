// The floor of a show's start on a desktop of any size: one bare process
// doing the same work in a row (XGetImage of the root, a plain write of the
// pixels, a GLX window and context, conversion to RGB, gluBuild2DMipmaps as
// the show calls it, one textured frame and its swap). It then prints a line
// and waits to be ended, so the caller times it to that line.
// With --gl FRAMES it leaves the desktop alone and does only what any GL
// program of the show's kind must: the same window and context, the texture
// of a made-up 1920 x 1080 picture built as the show builds it where it keeps
// every level (room for all of them from the start; the picture let go once
// built), and FRAMES frames with their swaps. Its peak memory is then what the
// display system holds for drawing, not a texture on the move, and is read
// after the line against the same program on Wayland (bare_wayland_start.cpp).
// Usage: show_bare_big_start FILE | show_bare_big_start --gl FRAMES
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bare_gl_scene.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const bool glOnly = std::strcmp(argv[1], "--gl") == 0;
  const int frames = glOnly ? (argc > 2 ? std::atoi(argv[2]) : 1) : 1;
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) return 1;
  Window root = DefaultRootWindow(dpy);
  int w = qgbench::kBarePictureWidth, h = qgbench::kBarePictureHeight;
  XImage* img = nullptr;
  if (!glOnly) {
    w = DisplayWidth(dpy, 0), h = DisplayHeight(dpy, 0);
    img = XGetImage(dpy, root, 0, 0, w, h, AllPlanes, ZPixmap);
    if (!img) return 1;
    const int fd = open(argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const size_t bytes = static_cast<size_t>(img->bytes_per_line) * h;
    for (size_t off = 0; off < bytes;) {
      const ssize_t n = write(fd, img->data + off, bytes - off);
      if (n <= 0) return 1;
      off += static_cast<size_t>(n);
    }
    close(fd);
  }

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

  std::vector<unsigned char> rgb =
      img ? qgbench::RgbFromScreen(reinterpret_cast<unsigned char*>(img->data), w, h, size_t(img->bytes_per_line))
          : qgbench::MadeUpRgb(w, h);
  qgbench::BuildTexture(rgb, w, h, glOnly ? qgbench::Levels::kRoomForAll : qgbench::Levels::kLevel0First);
  if (glOnly) std::vector<unsigned char>().swap(rgb);
  for (int i = 0; i < frames; ++i) {
    qgbench::DrawSheets();
    glXSwapBuffers(dpy, win);
  }
  glFinish();
  XSync(dpy, False);
  std::printf("frame\n");
  std::fflush(stdout);
  for (;;) pause();
}
