/* Responsiveness probe for scripts/monkey.sh: sends _NET_WM_PING to a window again and again and
 * prints each round trip in milliseconds, one line each ("rtt 12.3", or "timeout 30000" when no
 * answer came in time). A window that advertises _NET_WM_PING answers by sending the message back
 * to the root window, and only from its event loop, so the round trip is how long the window
 * took to get to its events.
 *
 *   monkey_ping WINDOW_ID [INTERVAL_MS] [TIMEOUT_MS]
 *
 * Runs until stdin closes or the window goes away. Built by monkey.sh with: cc -O2 ... -lX11
 */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <errno.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static double NowMs(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static int windowGone = 0;

static int OnXError(Display* display, XErrorEvent* error) {
  (void)display;
  if (error->error_code == BadWindow) windowGone = 1;
  return 0;
}

static int Advertises(Display* display, Window window, Atom ping) {
  Atom* protocols = NULL;
  int count = 0;
  int found = 0;
  if (XGetWMProtocols(display, window, &protocols, &count)) {
    for (int k = 0; k < count; ++k) found |= protocols[k] == ping;
    XFree(protocols);
  }
  return found;
}

/* True when stdin has closed (the driver has gone). */
static int DriverGone(void) {
  struct pollfd in = {STDIN_FILENO, POLLIN, 0};
  if (poll(&in, 1, 0) <= 0) return 0;
  char buffer[64];
  return read(STDIN_FILENO, buffer, sizeof buffer) <= 0;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: monkey_ping WINDOW_ID [INTERVAL_MS] [TIMEOUT_MS]\n");
    return 2;
  }
  const Window window = (Window)strtoul(argv[1], NULL, 0);
  const int intervalMs = argc > 2 ? atoi(argv[2]) : 100;
  const int timeoutMs = argc > 3 ? atoi(argv[3]) : 30000;
  Display* display = XOpenDisplay(NULL);
  if (display == NULL) {
    fprintf(stderr, "monkey_ping: cannot open display\n");
    return 1;
  }
  XSetErrorHandler(OnXError);
  const Window root = DefaultRootWindow(display);
  const Atom protocolsAtom = XInternAtom(display, "WM_PROTOCOLS", False);
  const Atom pingAtom = XInternAtom(display, "_NET_WM_PING", False);
  if (!Advertises(display, window, pingAtom)) {
    fprintf(stderr, "monkey_ping: window 0x%lx does not advertise _NET_WM_PING\n", window);
    return 1;
  }
  /* The answer is sent to the root window with the structure masks. */
  XSelectInput(display, root, StructureNotifyMask | SubstructureNotifyMask);
  const int fd = ConnectionNumber(display);
  long serial = 0;

  while (!windowGone && !DriverGone()) {
    ++serial;
    XEvent ping;
    memset(&ping, 0, sizeof ping);
    ping.xclient.type = ClientMessage;
    ping.xclient.window = window;
    ping.xclient.message_type = protocolsAtom;
    ping.xclient.format = 32;
    ping.xclient.data.l[0] = (long)pingAtom;
    ping.xclient.data.l[1] = serial; /* stands in for the timestamp; echoed back unchanged */
    ping.xclient.data.l[2] = (long)window;
    const double sent = NowMs();
    XSendEvent(display, window, False, NoEventMask, &ping);
    XFlush(display);

    int answered = 0;
    while (!answered && !windowGone) {
      while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == ClientMessage && event.xclient.message_type == protocolsAtom &&
            (Atom)event.xclient.data.l[0] == pingAtom && event.xclient.data.l[1] == serial) {
          answered = 1;
          break;
        }
      }
      if (answered) break;
      const double left = timeoutMs - (NowMs() - sent);
      if (left <= 0) break;
      struct pollfd x = {fd, POLLIN, 0};
      if (poll(&x, 1, (int)(left + 1)) < 0 && errno != EINTR) break;
    }
    if (windowGone) break;
    if (answered) {
      printf("rtt %.1f\n", NowMs() - sent);
    } else {
      printf("timeout %d\n", timeoutMs);
    }
    fflush(stdout);
    usleep((useconds_t)intervalMs * 1000u);
  }
  XCloseDisplay(display);
  return 0;
}
