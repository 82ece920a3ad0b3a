// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// Measures an editor from outside, through the X server, the same way for this program and for
// its peers: keys typed at the end of a document by XTest, the time from each key to the first
// drawing of the window (key-to-screen), the longest the window left a ping unanswered while the
// keys came (the longest stall), and the time from the last key until the program is quiet: no
// drawing and no processor time. Periodic drawing (a caret blinking, a clock) is learnt while
// the program idles and left out.
//
// Usage:
//   window_bench [--trace] [--size WxH] --title TEXT [--avoid TEXT] [--ready]
//                -- COMMAND [ARGUMENT...]
//
// Starts COMMAND and finds its window by a part of its title. With --ready the command
// measures its own start and open: its output is passed on up to a line "ready", after which
// its window is ready for the keys. Without it the command is started on the file it is to
// show, and start_open_ms is the time from the start until its window is painted and quiet.
// The window is made WxH (1280x960 unless told) before the keys come. Prints one line of
// figures; --trace adds what happened while the keys came and after the last one.

#include "process_status.h"
#include "x_session.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fstream>
#include <map>
#include <set>
#include <signal.h>
#include <string>
#include <unistd.h>
#include <vector>

#include <X11/keysym.h>
#include <sys/wait.h>

namespace {

using bench::Area;
using bench::Drawing;
using bench::fail;
using bench::monotonicMs;
using bench::XSession;

constexpr int Keys = 50;
constexpr double KeyIntervalMs = 1000.0 / 150;
constexpr double PingIntervalMs = 1;
// How long after the last key the program is watched for work.
constexpr double AfterLastKeyMs = 300;
// A run of quiet this long ends a burst of drawing.
constexpr double QuietMs = 300;
// Processor time below this in one sample is a thread waking, not work.
constexpr long long ActivityNs = 20000;

struct Options {
    bool trace = false;
    int width = 1280;
    int height = 960;
    bool ready = false;
    std::string title;
    std::string avoid;
    std::vector<char*> command;
};

Options parse(int argc, char** argv) {
    Options options;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        const std::string argument = argv[i];
        if (argument == "--trace") {
            options.trace = true;
        } else if (argument == "--ready") {
            options.ready = true;
        } else if (argument == "--size" && i + 1 < argc &&
                   std::sscanf(argv[i + 1], "%dx%d", &options.width, &options.height) == 2) {
            ++i;
        } else if ((argument == "--title" || argument == "--avoid") && i + 1 < argc) {
            (argument == "--title" ? options.title : options.avoid) = argv[++i];
        } else {
            fail("unknown argument " + argument);
        }
    }
    for (++i; i < argc; ++i) {
        options.command.push_back(argv[i]);
    }
    if (options.title.empty() || options.command.empty()) {
        fail("usage: window_bench [--trace] [--size WxH] --title TEXT [--avoid TEXT] [--ready] "
             "-- COMMAND...");
    }
    options.command.push_back(nullptr);
    return options;
}

struct Program {
    pid_t pid = 0;
    FILE* output = nullptr;
};

Program launch(Options& options) {
    int pipeEnds[2] = {-1, -1};
    if (options.ready && pipe(pipeEnds) != 0) {
        fail("no pipe");
    }
    const pid_t pid = fork();
    if (pid < 0) {
        fail("cannot start the program");
    }
    if (pid == 0) {
        if (options.ready) {
            dup2(pipeEnds[1], STDOUT_FILENO);
            close(pipeEnds[0]);
            close(pipeEnds[1]);
        }
        execvp(options.command[0], options.command.data());
        std::fprintf(stderr, "window_bench: cannot run %s\n", options.command[0]);
        _exit(127);
    }
    Program program{pid, nullptr};
    if (options.ready) {
        close(pipeEnds[1]);
        program.output = fdopen(pipeEnds[0], "r");
    }
    return program;
}

// The processor time of all the program's threads, in nanoseconds.
long long processorNs(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* folder = opendir(tasks.c_str());
    if (folder == nullptr) {
        return 0;
    }
    long long total = 0;
    while (const dirent* entry = readdir(folder)) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
        long long ns = 0;
        stat >> ns;
        total += ns;
    }
    closedir(folder);
    return total;
}

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    return values[index];
}

// A caret: a drawing a few pixels wide.
bool isCaret(const Area& area) {
    return area.width <= 3;
}

// What the program draws apart from what it draws unasked: carets and the areas it drew more
// than once while idle (a clock, the caret's line as the caret blinks), unless a key was
// answered there.
class DrawingFilter {
public:
    void learnIdle(const std::vector<Drawing>& drawings) {
        std::map<Area, int> seen;
        for (const Drawing& drawing : drawings) {
            if (++seen[drawing.area] == 2) {
                periodic_.insert(drawing.area);
            }
        }
    }
    void answeredKey(const Area& area) { periodic_.erase(area); }
    bool counts(const Drawing& drawing) const {
        return !isCaret(drawing.area) && periodic_.count(drawing.area) == 0;
    }
    std::size_t periodicAreas() const { return periodic_.size(); }

private:
    std::set<Area> periodic_;
};

// The time of the last drawing that counts, and with a program given of its last busy moment,
// once the window has drawn nothing that counts and the program has been idle for QuietMs, or
// by the deadline; `from` when nothing happened. Busy is a fifth of the processor time or
// more: a caret blinking or a clock ticking is less.
double waitUntilQuiet(XSession& x, const DrawingFilter& filter, pid_t busyProgram, double from,
                      double deadlineMs) {
    constexpr double SliceMs = 10;
    double last = from;
    std::size_t seen = 0;
    long long processor = busyProgram > 0 ? processorNs(busyProgram) : 0;
    while (monotonicMs() < deadlineMs) {
        x.pumpUntil(std::min(deadlineMs, monotonicMs() + SliceMs));
        const auto& drawings = x.drawings();
        for (; seen < drawings.size(); ++seen) {
            if (filter.counts(drawings[seen])) {
                last = std::max(last, drawings[seen].atMs);
            }
        }
        const long long now = busyProgram > 0 ? processorNs(busyProgram) : 0;
        if (static_cast<double>(now - processor) >= SliceMs * 1e6 / 5) {
            last = monotonicMs();
        }
        processor = now;
        if (monotonicMs() - last >= QuietMs) {
            break;
        }
    }
    return last;
}

struct Typing {
    std::vector<double> keyToScreen;
    double longestStall = 0;
    double quiet = 0;
    int keysSeen = 0;
};

Typing typeKeys(XSession& x, pid_t pid, DrawingFilter& filter, bool trace) {
    x.clearDrawings();
    std::vector<double> pressedAt;
    std::vector<int> pings;
    const double start = monotonicMs() + 5;
    double nextPing = start;
    for (int key = 0; key < Keys; ++key) {
        const double due = start + key * KeyIntervalMs;
        while (nextPing < due) {
            x.pumpUntil(nextPing);
            pings.push_back(x.ping());
            nextPing += PingIntervalMs;
        }
        x.pumpUntil(due);
        pressedAt.push_back(monotonicMs());
        x.key(XK_a);
    }
    const double lastKey = pressedAt.back();

    // After the last key: no more pings, whose answers would be work of their own.
    struct Sample {
        double atMs;
        long long ns;
    };
    std::vector<Sample> samples{{monotonicMs(), processorNs(pid)}};
    while (monotonicMs() < lastKey + AfterLastKeyMs) {
        x.pumpUntil(monotonicMs() + 0.5);
        samples.push_back({monotonicMs(), processorNs(pid)});
    }

    Typing typing;
    const auto& drawings = x.drawings();
    // While keys come the caret does not blink, and a clock that ticks within a millisecond
    // of a key is rare enough: the first drawing after a key is its answer.
    for (std::size_t key = 0; key < pressedAt.size(); ++key) {
        const auto first = std::find_if(drawings.begin(), drawings.end(), [&](const Drawing& d) {
            return d.atMs >= pressedAt[key] && !isCaret(d.area);
        });
        if (first != drawings.end() && first->atMs < lastKey + AfterLastKeyMs) {
            typing.keyToScreen.push_back(first->atMs - pressedAt[key]);
            filter.answeredKey(first->area);
            ++typing.keysSeen;
        }
    }
    for (int ping : pings) {
        const double answered = x.answeredAt(ping);
        typing.longestStall = std::max(typing.longestStall,
                                       (answered > 0 ? answered : monotonicMs()) - x.sentAt(ping));
    }
    // Work shortly before a periodic drawing is that drawing's.
    std::vector<double> periodic;
    double quietAt = lastKey;
    for (const Drawing& drawing : drawings) {
        if (drawing.atMs < lastKey) {
            continue;
        }
        if (filter.counts(drawing)) {
            quietAt = std::max(quietAt, drawing.atMs);
        } else {
            periodic.push_back(drawing.atMs);
        }
    }
    for (std::size_t i = 1; i < samples.size(); ++i) {
        if (samples[i].ns - samples[i - 1].ns < ActivityNs) {
            continue;
        }
        const double at = samples[i].atMs;
        const bool periodicWork = std::any_of(periodic.begin(), periodic.end(), [&](double drawn) {
            return at >= drawn - 10 && at <= drawn + 2;
        });
        if (!periodicWork) {
            quietAt = std::max(quietAt, at);
        }
    }
    typing.quiet = quietAt - lastKey;

    if (trace) {
        timespec wall{};
        clock_gettime(CLOCK_REALTIME, &wall);
        std::fprintf(stderr, "last key %.3f ms on the wall clock\n",
                     static_cast<double>(wall.tv_sec) * 1e3 +
                         static_cast<double>(wall.tv_nsec) / 1e6 - (monotonicMs() - lastKey));
        for (int ping : pings) {
            const double answered = x.answeredAt(ping);
            if (answered == 0 || answered - x.sentAt(ping) > 1) {
                std::fprintf(stderr, "ping %+8.2f ms  answered after %.2f ms\n",
                             x.sentAt(ping) - lastKey, answered - x.sentAt(ping));
            }
        }
        for (std::size_t key = 0; key < pressedAt.size(); ++key) {
            std::fprintf(stderr, "key  %+8.2f ms\n", pressedAt[key] - lastKey);
        }
        for (const Drawing& drawing : drawings) {
            if (drawing.atMs >= pressedAt.front() - 20) {
                std::fprintf(stderr, "draw %+8.2f ms  %dx%d+%d+%d%s\n", drawing.atMs - lastKey,
                             drawing.area.width, drawing.area.height, drawing.area.x,
                             drawing.area.y, filter.counts(drawing) ? "" : "  (periodic)");
            }
        }
        for (std::size_t i = 1; i < samples.size(); ++i) {
            const long long ns = samples[i].ns - samples[i - 1].ns;
            if (ns > 0) {
                std::fprintf(stderr, "cpu  %+8.2f ms  %lld us\n", samples[i].atMs - lastKey,
                             ns / 1000);
            }
        }
    }
    return typing;
}

// Passes the program's own figures on, up to its line "ready"; gives its start and open
// together, the time to its text on screen apart from the time a user spends in the dialog.
double awaitReady(FILE* output) {
    char line[4096];
    double startOpen = 0;
    while (std::fgets(line, sizeof line, output) != nullptr) {
        if (std::strncmp(line, "ready", 5) == 0) {
            return startOpen;
        }
        for (const char* figure : {"start_ms=", "open_ms="}) {
            if (const char* at = std::strstr(line, figure)) {
                startOpen += std::strtod(at + std::strlen(figure), nullptr);
            }
        }
        std::fputs(line, stdout);
    }
    fail("the program ended before it was ready");
}

void stop(pid_t pid) {
    // A changed document would ask to be saved: the program is not asked to close.
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char** argv) {
    Options options = parse(argc, argv);
    XSession x;
    const double launched = monotonicMs();
    const Program program = launch(options);
    double startOpen = 0;
    if (options.ready) {
        startOpen = awaitReady(program.output);
    }
    const unsigned long window = x.findWindow(options.title, monotonicMs() + 120000, options.avoid);
    if (window == 0) {
        stop(program.pid);
        fail("no window titled \"" + options.title + "\"");
    }
    x.watch(window);
    DrawingFilter filter;
    std::printf("title=\"%s\" ", x.title(window).c_str());
    if (!options.ready) {
        // Painted: work the program does after it showed the text is not counted.
        startOpen = waitUntilQuiet(x, filter, 0, monotonicMs(), monotonicMs() + 120000) - launched;
    }
    std::printf("start_open_ms=%.1f ", startOpen);
    std::printf("peak_mb=%.1f rss_mb=%.1f ",
                bench::statusMegabytes(std::to_string(program.pid), "VmHWM:"),
                bench::statusMegabytes(std::to_string(program.pid), "VmRSS:"));

    // Every program gets the same room, as a user with a large file would give it.
    x.place(window, options.width, options.height);
    x.focus(window);
    waitUntilQuiet(x, filter, program.pid, monotonicMs(), monotonicMs() + 20000);
    // At the end of the last line, which the keys make the longest in view.
    x.key(XK_End, {XK_Control_L});
    waitUntilQuiet(x, filter, program.pid, monotonicMs(), monotonicMs() + 20000);
    x.clearDrawings();
    x.pumpUntil(monotonicMs() + 2200);
    filter.learnIdle(x.drawings());

    const Typing typing = typeKeys(x, program.pid, filter, options.trace);
    if (!x.answersPings(window)) {
        std::fprintf(stderr, "window_bench: the window does not answer pings; no stall figure\n");
    }
    std::printf("key_screen_med=%.2f key_screen_p90=%.2f key_screen_max=%.2f type_stall_ms=%.2f "
                "quiet_ms=%.1f keys_drawn=%d periodic_areas=%zu\n",
                percentile(typing.keyToScreen, 0.5), percentile(typing.keyToScreen, 0.9),
                percentile(typing.keyToScreen, 1), typing.longestStall, typing.quiet,
                typing.keysSeen, filter.periodicAreas());
    std::fflush(stdout);
    stop(program.pid);
    return 0;
}
