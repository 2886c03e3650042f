/* Start-up timer for X11 programs (native Linux, used for both programs alike).
 *
 *   xwatch TITLE TIMEOUT_S GRACE_S -- COMMAND [ARGS...]
 *
 * Listens to the root window's structure events, takes a wall-clock stamp,
 * starts COMMAND (which keeps running after xwatch exits) and reports, in
 * milliseconds from that stamp:
 *   ready_ms    first moment a top-level window titled TITLE exists at more
 *               than 50x50 pixels (created and laid out);
 *   visible_ms  first moment such a window is mapped (shown on screen), or -1
 *               if it is not shown within GRACE_S seconds after ready.
 * Output: pid=N ready_ms=X visible_ms=Y
 */
#define _GNU_SOURCE
#include <fcntl.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <time.h>
#include <unistd.h>

static double now_s(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    return (double)ts.tv_sec + (double)ts.tv_nsec / 1e9;
}

static int ignore_errors(Display* d, XErrorEvent* e)
{
    (void)d;
    (void)e;
    return 0;
}

static Atom net_wm_name, utf8_string;
static const char* title;

static int title_matches(Display* d, Window w)
{
    int match = 0;
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = NULL;
    if (XGetWindowProperty(d, w, net_wm_name, 0, 256, False, utf8_string, &type, &format, &n, &after, &data) ==
            Success &&
        data) {
        match = strcmp((char*)data, title) == 0;
        XFree(data);
        if (match) return 1;
    }
    char* name = NULL;
    if (XFetchName(d, w, &name) && name) {
        match = strcmp(name, title) == 0;
        XFree(name);
    }
    return match;
}

/* 0 = not it, 1 = exists at size, 2 = exists at size and mapped */
static int state_of(Display* d, Window w)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a)) return 0;
    if (a.width <= 50 || a.height <= 50) return 0;
    if (!title_matches(d, w)) return 0;
    return a.map_state == IsViewable ? 2 : 1;
}

int main(int argc, char** argv)
{
    if (argc < 6 || strcmp(argv[4], "--") != 0) {
        fprintf(stderr, "usage: xwatch TITLE TIMEOUT_S GRACE_S -- COMMAND [ARGS...]\n");
        return 2;
    }
    title = argv[1];
    const double timeout = atof(argv[2]), grace = atof(argv[3]);
    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "xwatch: no display\n");
        return 2;
    }
    XSetErrorHandler(ignore_errors);
    net_wm_name = XInternAtom(d, "_NET_WM_NAME", False);
    utf8_string = XInternAtom(d, "UTF8_STRING", False);
    Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);

    signal(SIGCHLD, SIG_IGN);
    const double t0 = now_s();
    pid_t pid = fork();
    if (pid == 0) {
        setsid();
        /* The program must not hold the caller's output pipe open. */
        const char* logname = getenv("XWATCH_CHILD_LOG");
        int out = open(logname && *logname ? logname : "/dev/null", O_WRONLY | O_CREAT | O_APPEND, 0644);
        int in = open("/dev/null", O_RDONLY);
        if (in >= 0) dup2(in, 0);
        if (out >= 0) {
            dup2(out, 1);
            dup2(out, 2);
        }
        execvp(argv[5], argv + 5);
        _exit(127);
    }
    double ready = -1, visible = -1;
    const int fd = ConnectionNumber(d);
    for (;;) {
        const double t = now_s();
        if (visible >= 0) break;
        if (ready >= 0 && t - t0 > ready + grace) break;
        if (t - t0 > timeout) break;
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            const double at = now_s() - t0;
            Window w = 0;
            switch (e.type) {
            case CreateNotify:
                w = e.xcreatewindow.window;
                XSelectInput(d, w, PropertyChangeMask | StructureNotifyMask);
                break;
            case MapNotify: w = e.xmap.window; break;
            case ConfigureNotify: w = e.xconfigure.window; break;
            case PropertyNotify: w = e.xproperty.window; break;
            default: break;
            }
            if (!w) continue;
            const int s = state_of(d, w);
            if (s >= 1 && ready < 0) ready = at;
            if (s == 2 && visible < 0) visible = at;
        }
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        struct timeval tv = {0, 20000};
        select(fd + 1, &fds, NULL, NULL, &tv);
    }
    printf("pid=%d ready_ms=%.1f visible_ms=%.1f\n", (int)pid, ready < 0 ? -1.0 : ready * 1000.0,
           visible < 0 ? -1.0 : visible * 1000.0);
    XCloseDisplay(d);
    return ready < 0 ? 1 : 0;
}
