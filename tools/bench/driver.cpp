// Runs the game and the bare window on the X display in $DISPLAY and measures them from the
// outside, as the X server sees them: start-up from exec to the window being mapped, the CPU
// used by then, resident memory and shared libraries one second after exec, and the time
// from a mouse press on a board cell to the last repaint of that click reaching the server,
// for the game and, as the floor of this machine and X server, for the bare window. It only
// needs the two programs; nothing in them knows it is being measured.
//
// Usage: tobrinel_bench_driver --game PATH --bare PATH [--rounds N] [--clicks N]
//                              [--first-cues N] [--log FILE] [--startup-only yes]

#include "ui/boardlayout.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

extern char **environ;

namespace {

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

[[noreturn]] void cannotMeasure(const std::string &why)
{
    std::fprintf(stderr, "bench: cannot measure: %s\n", why.c_str());
    std::exit(1);
}

double quantile(std::vector<double> values, double q)
{
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    const auto at = std::min(values.size() - 1, std::size_t(std::ceil(q * double(values.size()))) - (q > 0 ? 1 : 0));
    return values[at];
}

double median(const std::vector<double> &values)
{
    if (values.empty())
        return NAN;
    std::vector<double> v = values;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// CPU time of every thread of the process so far, from the scheduler's nanosecond counters.
double cpuMs(pid_t pid)
{
    double total = 0;
    const std::string dir = "/proc/" + std::to_string(pid) + "/task";
    if (DIR *d = opendir(dir.c_str())) {
        while (dirent *e = readdir(d)) {
            if (e->d_name[0] == '.')
                continue;
            std::ifstream in(dir + "/" + e->d_name + "/schedstat");
            double ns = 0;
            if (in >> ns)
                total += ns / 1e6;
        }
        closedir(d);
    }
    return total;
}

double rssMb(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return NAN;
}

int sharedLibraries(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/maps");
    std::set<std::string> libs;
    std::string line;
    while (std::getline(in, line)) {
        const auto slash = line.find('/');
        if (slash != std::string::npos && line.find(".so", slash) != std::string::npos)
            libs.insert(line.substr(slash));
    }
    return int(libs.size());
}

class Bench
{
public:
    Bench(std::string log) : m_log(std::move(log))
    {
        m_dpy = XOpenDisplay(nullptr);
        if (!m_dpy)
            cannotMeasure("no X display in $DISPLAY");
        int major = 0, minor = 0, event = 0, error = 0;
        if (!XTestQueryExtension(m_dpy, &event, &error, &major, &minor))
            cannotMeasure("the X server has no XTEST extension");
        if (!XDamageQueryExtension(m_dpy, &m_damageEvent, &error))
            cannotMeasure("the X server has no DAMAGE extension");
        m_root = DefaultRootWindow(m_dpy);
        XSelectInput(m_dpy, m_root, SubstructureNotifyMask);
        XSync(m_dpy, False);
    }

    struct Start
    {
        pid_t pid = 0;
        Window window = 0;
        double mappedMs = 0;
        double cpuAtMapMs = 0;
    };

    Start launch(const std::string &program)
    {
        drain(nowMs() + 20);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, m_log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        char *argv[] = {const_cast<char *>(program.c_str()), nullptr};
        Start s;
        const double t0 = nowMs();
        if (posix_spawn(&s.pid, program.c_str(), &actions, nullptr, argv, environ) != 0)
            cannotMeasure("cannot start " + program);
        posix_spawn_file_actions_destroy(&actions);
        XEvent ev;
        const double deadline = t0 + 10000;
        while (nextEvent(ev, deadline)) {
            if (ev.type == MapNotify && ev.xmap.event == m_root && !ev.xmap.override_redirect) {
                s.mappedMs = nowMs() - t0;
                s.cpuAtMapMs = cpuMs(s.pid);
                s.window = ev.xmap.window;
                m_t0 = t0;
                return s;
            }
        }
        kill(s.pid, SIGKILL);
        waitpid(s.pid, nullptr, 0);
        cannotMeasure(program + " showed no window within 10 s (see " + m_log + ")");
    }

    void stop(const Start &s)
    {
        kill(s.pid, SIGKILL);
        waitpid(s.pid, nullptr, 0);
        XEvent ev;
        const double deadline = nowMs() + 2000;
        while (nextEvent(ev, deadline))
            if (ev.type == DestroyNotify && ev.xdestroywindow.window == s.window)
                break;
    }

    // Sleeps until `ms` after the last launch, handling X events meanwhile.
    void waitSinceLaunch(double ms) { drain(m_t0 + ms); }

    // The window's board: where a cell's centre is on the screen, and damage reports from it.
    void attach(const Start &s)
    {
        m_window = s.window;
        XWindowAttributes a{};
        XGetWindowAttributes(m_dpy, m_window, &a);
        m_originX = a.x;
        m_clientY = a.height - ClientPixels; // the menu bar is above the client area
        m_originY = a.y;
        if (m_clientY < 0)
            cannotMeasure("the game's window is smaller than its board");
        m_damage = XDamageCreate(m_dpy, m_window, XDamageReportRawRectangles);
        XSetInputFocus(m_dpy, m_window, RevertToPointerRoot, CurrentTime);
        moveTo(a.width / 2, a.height / 2);
        drain(nowMs() + 300);
    }

    void detach()
    {
        XDamageDestroy(m_dpy, m_damage);
        XSync(m_dpy, False);
        m_window = 0;
    }

    // Alt+<menu> then <item>: waits for the pop-up menu to appear and go away again.
    void menu(KeySym menuKey, KeySym itemKey, const char *what)
    {
        const KeyCode alt = XKeysymToKeycode(m_dpy, XK_Alt_L);
        XTestFakeKeyEvent(m_dpy, alt, True, 0);
        tap(menuKey);
        XTestFakeKeyEvent(m_dpy, alt, False, 0);
        XFlush(m_dpy);
        if (!waitPopup(MapNotify))
            cannotMeasure(std::string("the menu for ") + what + " did not open");
        tap(itemKey);
        XFlush(m_dpy);
        if (!waitPopup(UnmapNotify))
            cannotMeasure(std::string("the menu for ") + what + " did not close");
        drain(nowMs() + 150);
    }

    // Learns where the clock repaints by itself (a game must be running), so that its
    // ticks are not taken for a click's repaint.
    void learnClock()
    {
        XEvent ev;
        const double deadline = nowMs() + 1300;
        while (nextEvent(ev, deadline)) {
            if (isDamage(ev)) {
                const XRectangle r = damageArea(ev);
                m_clock.push_back(r);
            }
        }
        if (m_clock.empty())
            cannotMeasure("no clock ticked: the game did not start");
    }

    // For a window with no clock of its own.
    void forgetClock() { m_clock.clear(); }

    // Press and release on a cell; the time from the press to the last repaint of the
    // click (3 ms of quiet end it), or a negative number when nothing was repainted.
    double click(int cell)
    {
        const PixelPoint centre = cellCentre(cell);
        moveTo(centre.x, m_clientY + centre.y);
        drain(nowMs() + 1);
        const double t0 = nowMs();
        XTestFakeButtonEvent(m_dpy, 1, True, 0);
        XTestFakeButtonEvent(m_dpy, 1, False, 0);
        XFlush(m_dpy);
        double last = -1;
        XEvent ev;
        for (;;) {
            const double deadline = last < 0 ? t0 + 500 : last + 3;
            if (!nextEvent(ev, deadline))
                break;
            if (isDamage(ev) && !isClock(damageArea(ev)))
                last = nowMs();
        }
        return last < 0 ? -1 : last - t0;
    }

private:
    bool nextEvent(XEvent &ev, double deadline)
    {
        for (;;) {
            if (XPending(m_dpy)) {
                XNextEvent(m_dpy, &ev);
                return true;
            }
            const double left = deadline - nowMs();
            if (left <= 0)
                return false;
            pollfd p{ConnectionNumber(m_dpy), POLLIN, 0};
            timespec ts{time_t(left / 1000), long(std::fmod(left, 1000.0) * 1e6)};
            ppoll(&p, 1, &ts, nullptr);
        }
    }

    void drain(double deadline)
    {
        XEvent ev;
        while (nextEvent(ev, deadline)) {
        }
    }

    bool waitPopup(int type)
    {
        XEvent ev;
        const double deadline = nowMs() + 2000;
        while (nextEvent(ev, deadline)) {
            if (type == MapNotify && ev.type == MapNotify && ev.xmap.override_redirect)
                return true;
            if (type == UnmapNotify && ev.type == UnmapNotify && ev.xunmap.window != m_window)
                return true;
        }
        return false;
    }

    void tap(KeySym key)
    {
        const KeyCode code = XKeysymToKeycode(m_dpy, key);
        XTestFakeKeyEvent(m_dpy, code, True, 0);
        XTestFakeKeyEvent(m_dpy, code, False, 0);
    }

    void moveTo(int x, int y)
    {
        XTestFakeMotionEvent(m_dpy, -1, m_originX + x, m_originY + y, 0);
        XFlush(m_dpy);
    }

    bool isDamage(const XEvent &ev) const { return ev.type == m_damageEvent + XDamageNotify; }

    static XRectangle damageArea(const XEvent &ev)
    {
        return reinterpret_cast<const XDamageNotifyEvent &>(ev).area;
    }

    bool isClock(const XRectangle &r) const
    {
        return std::any_of(m_clock.begin(), m_clock.end(), [&](const XRectangle &c) {
            return r.x >= c.x && r.y >= c.y && r.x + r.width <= c.x + c.width && r.y + r.height <= c.y + c.height;
        });
    }

    std::string m_log;
    Display *m_dpy = nullptr;
    Window m_root = 0;
    Window m_window = 0;
    Damage m_damage = 0;
    int m_damageEvent = 0;
    int m_originX = 0;
    int m_originY = 0;
    int m_clientY = 0;
    double m_t0 = 0;
    std::vector<XRectangle> m_clock;
};

struct Figures
{
    std::vector<double> startMs, cpuMs, rssMb, libs;
};

// The medians of both, and the median of the rounds' ratios: the two programs of a round
// run one after the other, so a round's ratio is taken under the same load, and a machine
// that slows down or speeds up during the bench moves both alike. digits: after the point,
// for the figures (the ratio always gets three).
void printRow(const char *name, const char *unit, const std::vector<double> &game, const std::vector<double> &bare,
              int digits = 1)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < std::min(game.size(), bare.size()); ++i)
        ratios.push_back(game[i] / bare[i]);
    std::printf("  %-34s %9.*f %-3s %9.*f %-3s %6.3fx   (game %.*f-%.*f, bare %.*f-%.*f)\n", name, digits,
                median(game), unit, digits, median(bare), unit, median(ratios), digits, quantile(game, 0), digits,
                quantile(game, 1), digits, quantile(bare, 0), digits, quantile(bare, 1));
}

void printClicks(const char *name, const std::vector<double> &ms)
{
    std::printf("  %-34s p50 %5.0f us  p99 %5.0f us  max %6.0f us  (%zu clicks)\n", name, quantile(ms, 0.5) * 1000,
                quantile(ms, 0.99) * 1000, quantile(ms, 1.0) * 1000, ms.size());
}

} // namespace

int main(int argc, char **argv)
{
    std::string game, bare, log = "/dev/null";
    int rounds = 15, clicks = 1000, firstCues = 5;
    bool startupOnly = false;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const char *value = argv[i + 1];
        if (key == "--game")
            game = value;
        else if (key == "--bare")
            bare = value;
        else if (key == "--rounds")
            rounds = std::atoi(value);
        else if (key == "--clicks")
            clicks = std::atoi(value);
        else if (key == "--first-cues")
            firstCues = std::atoi(value);
        else if (key == "--log")
            log = value;
        else if (key == "--startup-only")
            startupOnly = std::string(value) == "yes";
    }
    if (game.empty() || bare.empty() || rounds < 1 || clicks < 4)
        cannotMeasure("usage: --game PATH --bare PATH [--rounds N] [--clicks N] [--first-cues N] [--log FILE]");

    Bench bench(log);

    // Start-up and memory, the two programs taking turns; who goes first alternates too.
    Figures g, b;
    for (int round = 0; round < rounds; ++round) {
        for (int turn = 0; turn < 2; ++turn) {
            const bool isGame = (round + turn) % 2 == 0;
            Figures &f = isGame ? g : b;
            const Bench::Start s = bench.launch(isGame ? game : bare);
            bench.waitSinceLaunch(1000);
            f.startMs.push_back(s.mappedMs);
            f.cpuMs.push_back(s.cpuAtMapMs);
            f.rssMb.push_back(rssMb(s.pid));
            f.libs.push_back(sharedLibraries(s.pid));
            bench.stop(s);
        }
    }

    if (startupOnly) {
        std::printf("  %-34s %13s %13s  %s\n", "medians", "game", "bare window", "ratio in a round");
        printRow("start-up, exec to window mapped", "ms", g.startMs, b.startMs);
        printRow("CPU used by then", "ms", g.cpuMs, b.cpuMs);
        printRow("resident memory 1 s after exec", "MB", g.rssMb, b.rssMb, 2);
        return 0;
    }

    // Clicks on the real window: select cell 8, slide it to 9, select it there, slide it
    // back; every click repaints. First with the sound off, then on. Each run plays one
    // silent round first, whose first click is what a run's first click costs; the first
    // cued click comes after it, so that it differs from a silent click by the cue alone.
    const int cycle[] = {8, 9, 9, 8};
    std::vector<double> silent, cued, firstClick, firstCue, floorClicks;
    int missed = 0;
    auto play = [&](std::vector<double> &into, int from, int to) {
        for (int i = from; i < to; ++i) {
            const double ms = bench.click(cycle[i % 4]);
            if (ms < 0)
                ++missed;
            else
                into.push_back(ms);
        }
    };
    for (int run = 0; run < std::max(1, firstCues); ++run) {
        const Bench::Start s = bench.launch(game);
        bench.waitSinceLaunch(400);
        bench.attach(s);
        bench.menu(XK_s, XK_s, "Sound (off)");
        bench.menu(XK_f, XK_p, "Play");
        if (run == 0)
            bench.learnClock();
        std::vector<double> warmUp;
        play(run == 0 ? silent : warmUp, 0, run == 0 ? clicks : 4); // back where it began
        if (const std::vector<double> &round = run == 0 ? silent : warmUp; !round.empty())
            firstClick.push_back(round.front());
        bench.menu(XK_s, XK_s, "Sound (on)");
        const double first = bench.click(8);
        if (first < 0)
            ++missed;
        else
            firstCue.push_back(first);
        if (run == 0) {
            if (first >= 0)
                cued.push_back(first);
            play(cued, 1, clicks); // cell 8 is selected now: the cycle goes on from there
        }
        bench.detach();
        bench.stop(s);
    }
    // The floor for a click: the bare window repainting one label per click.
    {
        const Bench::Start s = bench.launch(bare);
        bench.waitSinceLaunch(400);
        bench.attach(s);
        bench.forgetClock();
        play(floorClicks, 0, clicks);
        bench.detach();
        bench.stop(s);
    }
    if (missed > clicks / 100)
        cannotMeasure(std::to_string(missed) + " clicks repainted nothing");

    std::printf("  %-34s %13s %13s  %s\n", "medians", "game", "bare window", "ratio in a round");
    printRow("start-up, exec to window mapped", "ms", g.startMs, b.startMs);
    printRow("CPU used by then", "ms", g.cpuMs, b.cpuMs);
    printRow("resident memory 1 s after exec", "MB", g.rssMb, b.rssMb, 2);
    printRow("shared libraries loaded", "", g.libs, b.libs);
    printClicks("click, press to repaint, sound off", silent);
    printClicks("click, press to repaint, sound on", cued);
    printClicks("click floor: bare window repaints", floorClicks);
    std::printf("  %-34s median %5.0f us  max %5.0f us  (%zu runs)\n", "first click of a run, sound off",
                median(firstClick) * 1000, quantile(firstClick, 1.0) * 1000, firstClick.size());
    std::printf("  %-34s median %5.0f us  max %5.0f us  (%zu runs)\n", "first cued click of a run",
                median(firstCue) * 1000, quantile(firstCue, 1.0) * 1000, firstCue.size());
    std::printf("  %-34s %5.0f us  (first cued click less the silent median)\n", "first cue, window thread",
                (median(firstCue) - quantile(silent, 0.5)) * 1000);
    if (missed)
        std::printf("  (%d clicks repainted nothing and are left out)\n", missed);
    return 0;
}
