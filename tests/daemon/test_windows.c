/* Windows of other programs for the daemon test, kept until killed:
 *   desktop W H      a "desktop" over the whole screen, its left half blue
 *                    and its right half orange (one colour per monitor on
 *                    two side-by-side monitors), crossed by a black grid so
 *                    that moving sheets of it look different frame to frame;
 *   small X Y W H    a small plain window, as a settings dialog's preview
 *                    area; its id is printed in hex. */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static unsigned long Rgb(int r, int g, int b) { return ((unsigned long)r << 16) | ((unsigned long)g << 8) | b; }

static Window Make(Display* d, Window parent, int x, int y, int w, int h, unsigned long colour, int grid) {
  XSetWindowAttributes a;
  memset(&a, 0, sizeof a);
  a.background_pixel = colour;
  a.override_redirect = True;
  unsigned long mask = CWBackPixel | CWOverrideRedirect;
  if (grid) {
    /* One 64 x 64 tile: the colour with a black line along two edges. */
    const int screen = DefaultScreen(d);
    Pixmap tile = XCreatePixmap(d, parent, 64, 64, (unsigned)DefaultDepth(d, screen));
    GC gc = XCreateGC(d, tile, 0, NULL);
    XSetForeground(d, gc, colour);
    XFillRectangle(d, tile, gc, 0, 0, 64, 64);
    XSetForeground(d, gc, BlackPixel(d, screen));
    XFillRectangle(d, tile, gc, 0, 0, 64, 6);
    XFillRectangle(d, tile, gc, 0, 0, 6, 64);
    XFreeGC(d, gc);
    a.background_pixmap = tile;
    mask = CWBackPixmap | CWOverrideRedirect;
  }
  Window win = XCreateWindow(d, parent, x, y, (unsigned)w, (unsigned)h, 0, CopyFromParent, InputOutput,
                             CopyFromParent, mask, &a);
  XMapWindow(d, win);
  return win;
}

int main(int argc, char** argv) {
  Display* d = XOpenDisplay(NULL);
  if (!d || argc < 2) return 2;
  const Window root = DefaultRootWindow(d);
  if (strcmp(argv[1], "desktop") == 0 && argc == 4) {
    const int w = atoi(argv[2]), h = atoi(argv[3]);
    Make(d, root, 0, 0, w / 2, h, Rgb(30, 144, 255), 1);
    Make(d, root, w / 2, 0, w - w / 2, h, Rgb(255, 140, 0), 1);
    XSync(d, False);
    printf("ready\n");
    fflush(stdout);
  } else if (strcmp(argv[1], "small") == 0 && argc == 6) {
    const Window win = Make(d, root, atoi(argv[2]), atoi(argv[3]), atoi(argv[4]), atoi(argv[5]), Rgb(0, 0, 0), 0);
    XSync(d, False);
    printf("0x%lx\n", (unsigned long)win);
    fflush(stdout);
  } else {
    return 2;
  }
  XSync(d, False);
  for (;;) pause();
}
