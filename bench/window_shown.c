// Starts a program and waits, as a second X client, until a top-level window whose title holds a
// given text is mapped; prints the seconds from the start of the program to that moment and the
// memory the program holds then (resident set, MB), then ends the program.
//
//   window_shown TITLE-TEXT TIMEOUT-SECONDS PROGRAM [ARGS...]
//
// A window without a window manager is a child of the root window: the root's structure events
// tell of every new and mapped top-level window, and each one's property events of its title.
#define _POSIX_C_SOURCE 200809L
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

// The window's title (_NET_WM_NAME in UTF-8, else WM_NAME) holds the text.
static int titleHolds(Display* d, Window w, const char* text) {
  Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
  Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* value = NULL;
  int found = 0;
  if (XGetWindowProperty(d, w, netName, 0, 4096, False, utf8, &type, &format, &count, &after,
                         &value) == Success &&
      value != NULL) {
    found = strstr((const char*)value, text) != NULL;
    XFree(value);
    if (found) return 1;
  }
  char* name = NULL;
  if (XFetchName(d, w, &name) && name != NULL) {
    found = strstr(name, text) != NULL;
    XFree(name);
  }
  return found;
}

static int viewableWithTitle(Display* d, Window w, const char* text) {
  XWindowAttributes a;
  if (!XGetWindowAttributes(d, w, &a)) return 0;
  return a.map_state == IsViewable && titleHolds(d, w, text);
}

static int ignoreErrors(Display* d, XErrorEvent* e) {
  (void)d;
  (void)e;
  return 0;
}

static long residentKb(pid_t pid) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
  FILE* f = fopen(path, "r");
  if (f == NULL) return -1;
  char line[256];
  long kb = -1;
  while (fgets(line, sizeof line, f)) {
    if (sscanf(line, "VmRSS: %ld", &kb) == 1) break;
  }
  fclose(f);
  return kb;
}

int main(int argc, char** argv) {
  if (argc < 4) {
    fprintf(stderr, "usage: window_shown TITLE-TEXT TIMEOUT-SECONDS PROGRAM [ARGS...]\n");
    return 2;
  }
  const char* text = argv[1];
  const double timeout = atof(argv[2]);
  Display* d = XOpenDisplay(NULL);
  if (d == NULL) {
    fprintf(stderr, "window_shown: no display\n");
    return 2;
  }
  XSetErrorHandler(ignoreErrors);
  Window root = DefaultRootWindow(d);
  XSelectInput(d, root, SubstructureNotifyMask);
  XSync(d, False);

  const double start = now();
  pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[3], argv + 3);
    _exit(127);
  }
  int shown = 0;
  while (!shown && now() - start < timeout) {
    while (!shown && XPending(d)) {
      XEvent e;
      XNextEvent(d, &e);
      if (e.type == CreateNotify) {
        XSelectInput(d, e.xcreatewindow.window, PropertyChangeMask);
        shown = viewableWithTitle(d, e.xcreatewindow.window, text);
      } else if (e.type == MapNotify) {
        shown = viewableWithTitle(d, e.xmap.window, text);
      } else if (e.type == PropertyNotify) {
        shown = viewableWithTitle(d, e.xproperty.window, text);
      }
    }
    if (shown) break;
    struct pollfd p = {ConnectionNumber(d), POLLIN, 0};
    poll(&p, 1, 5);
    if (waitpid(pid, NULL, WNOHANG) == pid) {
      fprintf(stderr, "window_shown: the program ended before its window showed\n");
      return 1;
    }
  }
  const double seconds = now() - start;
  const long kb = residentKb(pid);
  kill(pid, SIGKILL);
  waitpid(pid, NULL, 0);
  if (!shown) {
    fprintf(stderr, "window_shown: no window titled \"%s\" within %.0f s\n", text, timeout);
    return 1;
  }
  printf("%.4f %.0f\n", seconds, (double)kb / 1024.0);
  return 0;
}
