// The floor for the renderer's start: a program that does only what any GL
// program must before its first frame shows (X connection, GLX visual,
// window, context, one clear and swap), then waits to be ended.
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <unistd.h>

int main() {
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) return 1;
  int attrs[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_DEPTH_SIZE, 16, None};
  XVisualInfo* vi = glXChooseVisual(dpy, DefaultScreen(dpy), attrs);
  if (!vi) return 1;
  Window root = DefaultRootWindow(dpy);
  XSetWindowAttributes wa{};
  wa.colormap = XCreateColormap(dpy, root, vi->visual, AllocNone);
  wa.background_pixel = 0;
  wa.override_redirect = True;
  Window w = XCreateWindow(dpy, root, 0, 0, 1024, 768, 0, vi->depth, InputOutput, vi->visual,
                           CWColormap | CWBackPixel | CWOverrideRedirect, &wa);
  XMapWindow(dpy, w);
  GLXContext ctx = glXCreateContext(dpy, vi, nullptr, True);
  glXMakeCurrent(dpy, w, ctx);
  glViewport(0, 0, 1024, 768);
  glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glXSwapBuffers(dpy, w);
  glFinish();
  XSync(dpy, False);
  for (;;) pause();
}
