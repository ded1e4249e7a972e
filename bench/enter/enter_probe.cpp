// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// How long an answer takes to reach the screen, as the pupil sees it: from the Return key
// (sent with XTest) to the first damage report (XDamage) on the program's window. qx5 and
// a bare Qt program whose Enter updates one label are started side by side on the same X
// server and measured in turns, so that the machine's load falls on both alike.
//
//   enter_probe <qx5-binary> <bare-binary> [answers-each]
//
// Needs an X server without a window manager (xvfb-run), where focus is given directly.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace {

Display* display = nullptr;
int damageEventBase = 0;

constexpr double QuietMs = 80; // no damage for this long: the window has settled
constexpr double SettleMaxMs = 3000;
constexpr double AnswerTimeoutMs = 3000;
constexpr double SplashMs = 3500; // qx5's splash picture goes away after 3 s

double NowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Program {
    Program(const char* name, std::string path, int answersPerSeries)
        : Name(name)
        , Path(std::move(path))
        , AnswersPerSeries(answersPerSeries) {}

    const char* Name;
    std::string Path;
    // Answers until the series is finished and a new one must be asked for; 0: never.
    int AnswersPerSeries;
    pid_t Pid = 0;
    Window Id = 0;
    Damage Watch = 0;
    int Answered = 0;
    std::vector<double> Ms;
};

std::vector<Program*> started;

void StopAll() {
    for (Program* program : started) {
        if (program->Pid > 0) {
            kill(program->Pid, SIGTERM);
            waitpid(program->Pid, nullptr, 0);
            program->Pid = 0;
        }
    }
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "enter_probe: %s\n", what);
    StopAll();
    std::exit(1);
}

// The next event, or false when none came before the deadline.
bool NextEvent(XEvent& event, double deadline) {
    while (XPending(display) == 0) {
        const double left = deadline - NowMs();
        if (left <= 0) {
            return false;
        }
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left) + 1);
    }
    XNextEvent(display, &event);
    return true;
}

// A damage report, or null for any other event; the report is taken, so the next
// drawing on that window reports again.
const XDamageNotifyEvent* Damaged(const XEvent& event) {
    if (event.type != damageEventBase + XDamageNotify) {
        return nullptr;
    }
    const auto* damage = reinterpret_cast<const XDamageNotifyEvent*>(&event);
    XDamageSubtract(display, damage->damage, None, None);
    return damage;
}

// Waits until no window has been drawn on for QuietMs (and, given a window, until it has
// been drawn on: a busy machine may keep a program from drawing for longer than that);
// returns how often the given window was drawn on meanwhile.
int Settle(Damage watched = 0) {
    int drawn = 0;
    const double giveUp = NowMs() + SettleMaxMs;
    double quietUntil = NowMs() + QuietMs;
    XEvent event;
    while (NowMs() < giveUp) {
        if (!NextEvent(event, watched && !drawn ? giveUp : quietUntil)) {
            return drawn;
        }
        if (const XDamageNotifyEvent* damage = Damaged(event)) {
            quietUntil = NowMs() + QuietMs;
            drawn += watched && damage->damage == watched ? 1 : 0;
        }
    }
    return drawn;
}

void Key(KeySym symbol, bool press) {
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), press ? True : False,
                      CurrentTime);
}

int Tap(KeySym symbol, bool withAlt = false, Damage watched = 0) {
    if (withAlt) {
        Key(XK_Alt_L, true);
    }
    Key(symbol, true);
    Key(symbol, false);
    if (withAlt) {
        Key(XK_Alt_L, false);
    }
    XFlush(display);
    return Settle(watched);
}

// The program's mapped top-level window with a real size, found by its _NET_WM_PID.
Window FindWindow(pid_t pid) {
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    const double giveUp = NowMs() + 10000;
    while (NowMs() < giveUp) {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
        Window found = 0;
        for (unsigned i = 0; i < count && !found; ++i) {
            Atom type = 0;
            int format = 0;
            unsigned long items = 0;
            unsigned long after = 0;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(display, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type,
                                   &format, &items, &after, &data) == Success &&
                data && items == 1 && *reinterpret_cast<unsigned long*>(data) == unsigned(pid)) {
                XWindowAttributes attributes{};
                XGetWindowAttributes(display, children[i], &attributes);
                if (attributes.map_state == IsViewable && attributes.width >= 100 &&
                    attributes.height >= 100) {
                    found = children[i];
                }
            }
            if (data) {
                XFree(data);
            }
        }
        if (children) {
            XFree(children);
        }
        if (found) {
            return found;
        }
        usleep(20000);
    }
    return 0;
}

void Start(Program& program) {
    char* argv[] = {program.Path.data(), nullptr};
    if (posix_spawn(&program.Pid, program.Path.c_str(), nullptr, nullptr, argv, environ) != 0) {
        Fail("cannot start a program");
    }
    started.push_back(&program);
    program.Id = FindWindow(program.Pid);
    if (!program.Id) {
        Fail("a program showed no window within 10 s");
    }
    program.Watch = XDamageCreate(display, program.Id, XDamageReportNonEmpty);
}

// On top, where its drawing can be seen (and so reported), and with the keyboard.
void Focus(const Program& program) {
    XRaiseWindow(display, program.Id);
    XSetInputFocus(display, program.Id, RevertToParent, CurrentTime);
    XFlush(display);
    Settle();
}

// One answer: a digit, then Return, timed to the first drawing on the window.
void MeasureOneAnswer(Program& program) {
    Focus(program);
    if (program.AnswersPerSeries > 0 && program.Answered == program.AnswersPerSeries) {
        Tap(XK_o, true); // qx5: "Nye opgaver"
        usleep(300000);
        Settle();
        program.Answered = 0;
    }
    // An answer box that shows no digit would take Return for nothing.
    if (Tap(XK_7, false, program.Watch) == 0) {
        std::fprintf(stderr, "enter_probe: %s: ", program.Name);
        Fail("the typed digit did not show");
    }
    const double pressed = NowMs();
    Key(XK_Return, true);
    XFlush(display);
    XEvent event;
    for (;;) {
        if (!NextEvent(event, pressed + AnswerTimeoutMs)) {
            std::fprintf(stderr, "enter_probe: %s: ", program.Name);
            Fail("no drawing followed Return");
        }
        const XDamageNotifyEvent* damage = Damaged(event);
        if (damage && damage->damage == program.Watch) {
            program.Ms.push_back(NowMs() - pressed);
            break;
        }
    }
    Key(XK_Return, false);
    XFlush(display);
    Settle();
    ++program.Answered;
}

double Quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    const double at = q * static_cast<double>(values.size() - 1);
    const auto low = static_cast<std::size_t>(at);
    const std::size_t high = std::min(low + 1, values.size() - 1);
    return values[low] + (values[high] - values[low]) * (at - static_cast<double>(low));
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3 && argc != 4) {
        std::fputs("usage: enter_probe <qx5-binary> <bare-binary> [answers-each]\n", stderr);
        return 2;
    }
    const int answers = argc == 4 ? std::atoi(argv[3]) : 45;
    if (answers < 1) {
        std::fputs("enter_probe: answers-each must be a positive whole number\n", stderr);
        return 2;
    }
    display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("enter_probe: cannot open the X display (run under xvfb-run)\n", stderr);
        return 1;
    }
    int damageErrorBase = 0;
    int xtestEvent = 0;
    int xtestError = 0;
    int major = 0;
    int minor = 0;
    if (!XDamageQueryExtension(display, &damageEventBase, &damageErrorBase) ||
        !XTestQueryExtension(display, &xtestEvent, &xtestError, &major, &minor)) {
        std::fputs("enter_probe: the X server lacks the DAMAGE or XTEST extension\n", stderr);
        return 1;
    }

    // qx5 works series of type 9, nine answers each.
    Program qx5{"qx5", argv[1], 9};
    Program bare{"bare_enter", argv[2], 0};
    Start(qx5);
    Start(bare);
    const double splashGone = NowMs() + SplashMs;
    while (NowMs() < splashGone) {
        Settle();
    }
    Focus(qx5);
    Tap(XK_v, true); // the menu "Vælg opgavetype"
    Tap(XK_9);       // "9. Større  tal, kombinations-opgaver"
    Focus(bare);

    for (int round = 0; round < answers; ++round) {
        // Each goes first every other round, so that drift in the load hits both alike.
        Program& first = round % 2 ? bare : qx5;
        Program& second = round % 2 ? qx5 : bare;
        MeasureOneAnswer(first);
        MeasureOneAnswer(second);
    }
    StopAll();

    std::printf("Enter to the first drawing on the window, %d answers each, in turns\n", answers);
    std::printf("%-12s %10s %10s %10s %10s %10s\n", "program", "median", "p10", "p90", "min",
                "max");
    for (const Program* program : {&qx5, &bare}) {
        std::printf("%-12s %8.2f ms %7.2f ms %7.2f ms %7.2f ms %7.2f ms\n", program->Name,
                    Quantile(program->Ms, 0.5), Quantile(program->Ms, 0.1),
                    Quantile(program->Ms, 0.9), Quantile(program->Ms, 0), Quantile(program->Ms, 1));
    }
    std::printf("%-12s %10.2f\n", "qx5 / bare", Quantile(qx5.Ms, 0.5) / Quantile(bare.Ms, 0.5));
    XCloseDisplay(display);
    return 0;
}
