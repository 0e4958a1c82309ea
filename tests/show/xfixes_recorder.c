/* Preloaded into the programs under test: notes every cursor hide and show
   they send to the X server (then sends it on), so a test can tell whether
   the cursor was hidden and given back. The X server offers no way for
   another client to ask whether the cursor is hidden. */
#define _GNU_SOURCE
#include <X11/extensions/Xfixes.h>
#include <dlfcn.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>

static void Note(const char* what) {
  const char* path = getenv("QG_XFIXES_LOG");
  if (!path) return;
  FILE* f = fopen(path, "a");
  if (!f) return;
  fprintf(f, "%s %s\n", program_invocation_short_name, what);
  fclose(f);
}

void XFixesHideCursor(Display* dpy, Window win) {
  static void (*real)(Display*, Window);
  if (!real) *(void**)(&real) = dlsym(RTLD_NEXT, "XFixesHideCursor");
  Note("hide");
  if (real) real(dpy, win);
}

void XFixesShowCursor(Display* dpy, Window win) {
  static void (*real)(Display*, Window);
  if (!real) *(void**)(&real) = dlsym(RTLD_NEXT, "XFixesShowCursor");
  Note("show");
  if (real) real(dpy, win);
}
