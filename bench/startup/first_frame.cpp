// SPDX-License-Identifier: MIT
// Time to the first non-black frame: starts a program and looks at the X screen (black before it)
// each time the server reports a change to it, until some pixel is not black, then prints the seconds
// since the start, the CPU seconds the program had used by then (all its threads, ended ones
// included) and its peak resident memory in KiB, and ends the program. With --hold SECONDS it lets the
// program run that much longer after its first frame first, so the peak covers a settled screen.
// Usage: bench_first_frame [--hold SECONDS] TIMEOUT_SECONDS PROGRAM [ARGS...]; the screen must start
// out black.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

// The process's high-water resident memory in KiB (VmHWM), 0 when it cannot be read.
long peakResidentKib(pid_t pid)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/status", static_cast<int>(pid));
    FILE* status = std::fopen(path, "r");
    if (status == nullptr)
        return 0;
    long kib = 0;
    char line[256];
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1)
            break;
    }
    std::fclose(status);
    return kib;
}

bool anyLit(Display* display, Window root, int width, int height)
{
    XImage* image =
        XGetImage(display, root, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image == nullptr)
        return false;
    bool lit = false;
    for (int y = 0; y < height && !lit; y += 2) {
        for (int x = 0; x < width; x += 2) {
            if ((XGetPixel(image, x, y) & 0xFFFFFF) != 0) {
                lit = true;
                break;
            }
        }
    }
    XDestroyImage(image);
    return lit;
}

} // namespace

int main(int argc, char** argv)
{
    double hold = 0.0;
    if (argc > 2 && std::strcmp(argv[1], "--hold") == 0) {
        hold = std::atof(argv[2]);
        argc -= 2;
        argv += 2;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_first_frame [--hold SECONDS] TIMEOUT_SECONDS PROGRAM [ARGS...]\n");
        return 2;
    }
    const double timeout = std::atof(argv[1]);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    Window root = DefaultRootWindow(display);
    const int width = DisplayWidth(display, DefaultScreen(display));
    const int height = DisplayHeight(display, DefaultScreen(display));
    // The previous program's window may still be going away.
    for (int i = 0; anyLit(display, root, width, height); ++i) {
        if (i == 500) {
            std::fprintf(stderr, "the screen is not black before the start\n");
            return 2;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }

    // The server tells of every change to the screen, so the screen is only copied after one: copying
    // it every few milliseconds instead would take a core from the program being measured.
    int damageEvent = 0, damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "the X server has no DAMAGE extension\n");
        return 2;
    }
    Damage damage = XDamageCreate(display, root, XDamageReportNonEmpty);
    XSync(display, False);

    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    pid_t child = fork();
    if (child < 0)
        return 2;
    if (child == 0) {
        // The program's own output (audio libraries' complaints, say) would mix with the figures.
        int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0) {
            dup2(quiet, 1);
            dup2(quiet, 2);
        }
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    double seconds = -1.0, cpu = 0.0;
    long peakKib = 0;
    pollfd server{ConnectionNumber(display), POLLIN, 0};
    while (true) {
        bool changed = false;
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            changed = changed || event.type == damageEvent + XDamageNotify;
        }
        double now = std::chrono::duration<double>(Clock::now() - start).count();
        if (changed) {
            // Emptied before the look, so a change made during it is reported again.
            XDamageSubtract(display, damage, None, None);
            if (anyLit(display, root, width, height)) {
                seconds = now;
                if (hold > 0.0)
                    std::this_thread::sleep_for(std::chrono::duration<double>(hold));
                kill(child, SIGSTOP); // its CPU time is counted up to here, threads that ended included
                peakKib = peakResidentKib(child);
                break;
            }
        }
        if (now > timeout || waitpid(child, nullptr, WNOHANG) == child)
            break;
        if (XPending(display) == 0)
            poll(&server, 1, 20);
    }
    kill(child, SIGKILL);
    rusage usage{};
    wait4(child, nullptr, 0, &usage);
    cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
        1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
    XDamageDestroy(display, damage);
    XCloseDisplay(display);
    if (seconds < 0.0) {
        std::fprintf(stderr, "no frame from %s\n", argv[2]);
        return 1;
    }
    std::printf("%.4f %.4f %ld\n", seconds, cpu, peakKib);
    return 0;
}
