// Time to the first non-black frame: starts a program and polls the X screen (black before it) until
// some pixel is not black, then prints the seconds since the start and the CPU seconds the program
// had used by then, and ends the program.
// Usage: bench_first_frame TIMEOUT_SECONDS PROGRAM [ARGS...]; the screen must start out black.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

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

// CPU seconds the program's live threads have run so far, from the scheduler's own accounting (in
// nanoseconds, unlike the coarse ticks of /proc/PID/stat).
double cpuSeconds(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (dir == nullptr)
        return 0.0;
    double total = 0.0;
    while (const dirent* task = readdir(dir)) {
        if (task->d_name[0] == '.')
            continue;
        std::ifstream in(tasks + "/" + task->d_name + "/schedstat");
        unsigned long long runNs = 0;
        if (in >> runNs)
            total += 1e-9 * static_cast<double>(runNs);
    }
    closedir(dir);
    return total;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TIMEOUT_SECONDS PROGRAM [ARGS...]\n", argv[0]);
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
    while (true) {
        double now = std::chrono::duration<double>(Clock::now() - start).count();
        if (anyLit(display, root, width, height)) {
            seconds = now;
            cpu = cpuSeconds(child);
            break;
        }
        if (now > timeout || waitpid(child, nullptr, WNOHANG) == child)
            break;
        // Each look copies the whole screen: looking more often would take CPU from the program.
        std::this_thread::sleep_for(std::chrono::milliseconds(4));
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    if (seconds < 0.0) {
        std::fprintf(stderr, "no frame from %s\n", argv[2]);
        return 1;
    }
    std::printf("%.4f %.4f\n", seconds, cpu);
    return 0;
}
