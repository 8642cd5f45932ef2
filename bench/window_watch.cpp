// Tells from outside when a program's window is mapped: the whole-program benchmark's eye.
//
// Protocol on stdin/stdout, so that it listens before the program it watches starts:
//   prints "ready" once it listens to the screen;
//   reads "PID TITLE [EXCLUDED_WINDOW...]" (TITLE "-" for any title);
//   prints "shown NS WINDOW VMHWM_KB" when a top-level window of PID with that title, and none
//   of the excluded ones, is mapped (NS on CLOCK_MONOTONIC, when the map event arrived; the
//   peak resident size read while the program is stopped for that moment), or "timeout" after
//   the deadline given as the first argument in milliseconds.
// Reading the X events costs the watched program nothing; polling tools would share its cores.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Mapped {
    Window window;
    long long ns;
};

long long nowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

long vmHwmKb(long pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

int ignoreErrors(Display*, XErrorEvent*) {
    return 0; // a window may vanish while it is looked at
}

/// The items of a window property of the given type; empty when the window has none.
std::vector<unsigned char> windowProperty(Display* display, Window window, Atom property, Atom type,
                                          long length, int* format) {
    Atom actual = None;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned char> bytes;
    if (XGetWindowProperty(display, window, property, 0, length, False, type, &actual, format,
                           &items, &after, &data) == Success &&
        data) {
        // Xlib hands 32-bit items over as longs.
        const std::size_t size = *format == 32 ? sizeof(long) : std::size_t(*format / 8);
        bytes.assign(data, data + items * size);
    }
    if (data)
        XFree(data);
    return bytes;
}

long windowPid(Display* display, Window window) {
    static const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    int format = 0;
    const auto pid = windowProperty(display, window, pidAtom, XA_CARDINAL, 1, &format);
    if (format != 32 || pid.size() != sizeof(long))
        return -1;
    return static_cast<long>(*reinterpret_cast<const unsigned long*>(pid.data()));
}

std::string windowTitle(Display* display, Window window) {
    static const Atom nameAtom = XInternAtom(display, "_NET_WM_NAME", False);
    static const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    int format = 0;
    const auto title = windowProperty(display, window, nameAtom, utf8, 1024, &format);
    return std::string(title.begin(), title.end());
}

/// The window of pid with the title inside the mapped top-level window (a frame of the window
/// manager, or the program's own window without one); None when there is none.
Window findClient(Display* display, Window top, long pid, const std::string& title,
                  const std::set<Window>& excluded) {
    if (windowPid(display, top) == pid && !excluded.count(top) &&
        (title == "-" || windowTitle(display, top) == title)) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display, top, &attributes) && !attributes.override_redirect)
            return top;
    }
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, top, &root, &parent, &children, &count))
        return None;
    Window found = None;
    for (unsigned int i = 0; i < count && found == None; ++i)
        found = findClient(display, children[i], pid, title, excluded);
    if (children)
        XFree(children);
    return found;
}

} // namespace

int main(int argc, char** argv) {
    const long long deadline = nowNs() + (argc > 1 ? std::atoll(argv[1]) : 20000) * 1000000LL;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::puts("no display");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
    std::puts("ready");
    std::fflush(stdout);

    long pid = -1;
    std::string title;
    std::set<Window> excluded;
    std::vector<Mapped> pending;
    const int xfd = ConnectionNumber(display);
    std::string input;
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify)
                pending.push_back({event.xmap.window, nowNs()});
        }
        if (pid > 0) {
            for (const Mapped& m : pending) {
                const Window client = findClient(display, m.window, pid, title, excluded);
                if (client != None) {
                    // Held still while its peak is read, so that the figure belongs to the
                    // moment the window appeared, not to whatever the program did next.
                    kill(static_cast<pid_t>(pid), SIGSTOP);
                    const long hwm = vmHwmKb(pid);
                    kill(static_cast<pid_t>(pid), SIGCONT);
                    std::printf("shown %lld %lu %ld\n", m.ns, client, hwm);
                    return 0;
                }
            }
            pending.clear();
        }
        const long long left = deadline - nowNs();
        if (left <= 0) {
            std::puts("timeout");
            return 2;
        }
        pollfd fds[2] = {{xfd, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        const int nfds = pid > 0 ? 1 : 2;
        poll(fds, nfds, static_cast<int>(left / 1000000 + 1));
        if (nfds == 2 && (fds[1].revents & (POLLIN | POLLHUP))) {
            char buffer[512];
            const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0)
                return 3;
            input.append(buffer, static_cast<std::size_t>(n));
            const std::size_t end = input.find('\n');
            if (end != std::string::npos) {
                std::istringstream line(input.substr(0, end));
                line >> pid >> title;
                unsigned long w = 0;
                while (line >> w)
                    excluded.insert(w);
            }
        }
    }
}
