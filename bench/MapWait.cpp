// Starts a program and reports how long it took from exec to the X server mapping its main
// window and to the program's first drawing in it, then, after a short settle, its resident
// memory. Used by bench/startup.sh.
//
// Usage: bench_mapwait [--settle MS] [--timeout MS] -- PROGRAM [ARGS...]
// Prints one line: "map_ms=<ms> cpu_ms=<ms> runq_ms=<ms> rss_kib=<KiB> paint_ms=<ms>": the
// time to the map, the processor time all the program's threads had by then and the time
// they waited for a processor (what a busy machine adds), the resident memory after the
// settle, and the time to the first frame. Exit status 1 when the program ends or the
// timeout passes before a window of it is mapped.
//
// The first frame is found by looking: a mapped window shows what lay beneath it until the
// program draws, so the middle row and column of the window are read right after the map and
// then every millisecond until a pixel changes (-1 when none does within the timeout, or when
// the window lies partly off the screen, where the screen holds no pixels to compare).
//
// Without a window manager a top-level window is a child of the root window, so listening for
// substructure events on the root sees its MapNotify. A window that carries _NET_WM_PID must
// carry the started program's; override-redirect windows (menus, tips) never count.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

double NowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// The window's _NET_WM_PID, or 0 when it has none.
long WindowPid(Display* display, Window window) {
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
    if (pidAtom == None) {
        return 0;
    }
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    long pid = 0;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data != nullptr) {
        if (format == 32 && count == 1) {
            pid = *reinterpret_cast<long*>(data);
        }
        XFree(data);
    }
    return pid;
}

long ResidentKib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

// Processor time and run-queue wait of all the program's threads so far, in milliseconds.
struct Scheduled {
    double cpuMs = 0;
    double waitMs = 0;
};

Scheduled ScheduledTime(pid_t pid) {
    Scheduled total;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (dir == nullptr) {
        return total;
    }
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
        double cpuNs = 0;
        double waitNs = 0;
        if (stat >> cpuNs >> waitNs) {
            total.cpuMs += cpuNs / 1e6;
            total.waitMs += waitNs / 1e6;
        }
    }
    closedir(dir);
    return total;
}

// Waits for the started program's main window to be mapped; false on timeout or exit.
bool WaitForMap(Display* display, pid_t child, double deadlineMs, Window* mappedWindow) {
    const int fd = ConnectionNumber(display);
    while (true) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify || event.xmap.override_redirect) {
                continue;
            }
            const long pid = WindowPid(display, event.xmap.window);
            if (pid == 0 || pid == child) {
                *mappedWindow = event.xmap.window;
                return true;
            }
        }
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "mapwait: the program ended before mapping a window\n");
            return false;
        }
        const double left = deadlineMs - NowMs();
        if (left <= 0) {
            std::fprintf(stderr, "mapwait: no window mapped in time\n");
            return false;
        }
        pollfd pfd{fd, POLLIN, 0};
        poll(&pfd, 1, left > 50 ? 50 : static_cast<int>(left) + 1);
    }
}

// One row and one column through the middle of a w x h rectangle at (x, y) of `drawable`.
std::vector<unsigned long> MiddleCross(Display* display, Drawable drawable, int x, int y, int w,
                                       int h) {
    std::vector<unsigned long> pixels;
    for (const auto& [left, top, width, height] :
         {std::array<int, 4>{x, y + h / 2, w, 1}, std::array<int, 4>{x + w / 2, y, 1, h}}) {
        XImage* image = XGetImage(display, drawable, left, top, static_cast<unsigned>(width),
                                  static_cast<unsigned>(height), AllPlanes, ZPixmap);
        if (image == nullptr) {
            return {};
        }
        for (int j = 0; j < height; ++j) {
            for (int i = 0; i < width; ++i) {
                pixels.push_back(XGetPixel(image, i, j));
            }
        }
        XDestroyImage(image);
    }
    return pixels;
}

// Milliseconds from `startMs` to the window first showing other pixels than the screen had
// there before the program started (`screenBefore`, the root window then), or -1.
double WaitForFirstPaint(Display* display, Window window, Pixmap screenBefore, double startMs,
                         double deadlineMs) {
    XWindowAttributes attributes{};
    int rootX = 0;
    int rootY = 0;
    Window child = None;
    if (XGetWindowAttributes(display, window, &attributes) == 0 || attributes.width < 2 ||
        attributes.height < 2 ||
        !XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &rootX, &rootY,
                               &child)) {
        return -1;
    }
    const int w = attributes.width;
    const int h = attributes.height;
    const Screen* screen = DefaultScreenOfDisplay(display);
    if (rootX < 0 || rootY < 0 || rootX + w > screen->width || rootY + h > screen->height) {
        return -1;
    }
    const auto before = MiddleCross(display, screenBefore, rootX, rootY, w, h);
    while (NowMs() < deadlineMs) {
        const auto now = MiddleCross(display, window, 0, 0, w, h);
        if (now.empty() || before.size() != now.size()) {
            return -1;
        }
        if (now != before) {
            return NowMs() - startMs;
        }
        usleep(1000);
    }
    return -1;
}

// Asks the window to close, as a window manager's close button does, so the program ends the
// way it does for a user (a tool that is killed leaves its serial port's lock file behind).
void RequestClose(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

// True when the program ended within the time given.
bool WaitForExit(pid_t child, int ms) {
    for (int waited = 0; waited < ms; waited += 10) {
        if (waitpid(child, nullptr, WNOHANG) == child) {
            return true;
        }
        usleep(10000);
    }
    return false;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: bench_mapwait [--settle MS] [--timeout MS] -- PROGRAM [ARGS...]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int settleMs = 1000;
    int timeoutMs = 20000;
    int first = 1;
    for (; first < argc; ++first) {
        if (std::strcmp(argv[first], "--") == 0) {
            ++first;
            break;
        }
        if (first + 1 >= argc) {
            return Usage();
        }
        if (std::strcmp(argv[first], "--settle") == 0) {
            settleMs = std::atoi(argv[++first]);
        } else if (std::strcmp(argv[first], "--timeout") == 0) {
            timeoutMs = std::atoi(argv[++first]);
        } else {
            return Usage();
        }
    }
    if (first >= argc) {
        return Usage();
    }

    // A window that goes away while it is looked at is no reason to stop; the calls that
    // failed return nothing and are handled there.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "mapwait: cannot open the display\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    // The screen as it is before the program starts, for finding its first frame.
    const Window root = DefaultRootWindow(display);
    const Screen* screen = DefaultScreenOfDisplay(display);
    const Pixmap screenBefore = XCreatePixmap(display, root, static_cast<unsigned>(screen->width),
                                              static_cast<unsigned>(screen->height),
                                              static_cast<unsigned>(screen->root_depth));
    GC gc = XCreateGC(display, screenBefore, 0, nullptr);
    XSetSubwindowMode(display, gc, IncludeInferiors);
    XCopyArea(display, root, screenBefore, gc, 0, 0, static_cast<unsigned>(screen->width),
              static_cast<unsigned>(screen->height), 0, 0);
    XFreeGC(display, gc);
    XSync(display, False);

    const double startMs = NowMs();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("mapwait: fork");
        return 1;
    }
    if (child == 0) {
        close(ConnectionNumber(display));
        execvp(argv[first], argv + first);
        std::perror("mapwait: exec");
        _exit(127);
    }

    Window window = None;
    const bool mapped = WaitForMap(display, child, startMs + timeoutMs, &window);
    const double mapMs = NowMs() - startMs;
    const Scheduled scheduled = mapped ? ScheduledTime(child) : Scheduled{};
    const double paintMs =
        mapped ? WaitForFirstPaint(display, window, screenBefore, startMs, startMs + timeoutMs)
               : -1;
    long rss = -1;
    if (mapped) {
        // Work the program put off until after its window appeared counts for memory.
        usleep(static_cast<useconds_t>(settleMs) * 1000);
        rss = ResidentKib(child);
    }
    if (mapped) {
        RequestClose(display, window);
    }
    if (!WaitForExit(child, 3000)) {
        kill(child, SIGTERM);
        if (!WaitForExit(child, 2000)) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
    }
    XFreePixmap(display, screenBefore);
    XCloseDisplay(display);
    if (!mapped) {
        return 1;
    }
    std::printf("map_ms=%.1f cpu_ms=%.1f runq_ms=%.1f rss_kib=%ld paint_ms=%.1f\n", mapMs,
                scheduled.cpuMs, scheduled.waitMs, rss, paintMs);
    return 0;
}
