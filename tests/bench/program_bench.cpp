// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// Measures the program itself on its real windows: the time from the process's start to the
// painted main window, the open of a document typed into the real Open dialog up to its text
// painted and the longest the window stood still meanwhile, the memory then, and typing: each key
// handled and painted, at the start of the document (the first key after the open among them) and
// at its end, with the caret panels off and on, the caret moves, a toolbar click, the longest time
// the event loop stood still, and the processor time the idle program spends afterwards.
//
// Usage:
//   program_bench generate <file> <megabytes> [java|line|cr|lf|mixed]
//                                               a Java-like source with CR LF line ends, or
//                                               an odd file (see generate)
//   program_bench run <file> <source folder>    one measured run; prints one line of figures
//   program_bench run <file> <source folder> --then-idle
//                                               the start and the open only, then "ready";
//                                               idles on for window_bench to type
// scripts/bench runs it repeatedly under xvfb-run and sums the runs up.

#include "app/module1.h"
#include "java_like_source.h"
#include "platform/desktop/desktop_services.h"
#include "platform/qt/file_dialog_parts.h"
#include "platform/qt/qt_text_control.h"
#include "process_status.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

namespace {

double nowMs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The script stamps the moment it starts the process; without it the count starts in main.
double launchMs() {
    const char* stamp = std::getenv("MORVANE_BENCH_LAUNCH_NS");
    return stamp != nullptr ? std::strtod(stamp, nullptr) / 1e6 : nowMs();
}

double cpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// A Java-like source of so many megabytes, with CR LF line ends ("java"), or one of the odd
// files a user may open by mistake: one single line ("line"), nothing but bare CRs ("cr") or
// LFs ("lf"), or lines ending in CR LF, LF and CR in turn ("mixed"). A file that could not be
// written whole fails the command, so that the script does not keep it for later runs.
int generate(const char* path, double megabytes, const std::string& kind) {
    if (kind != "java" && kind != "mixed" && kind != "line" && kind != "cr" && kind != "lf") {
        std::fprintf(stderr, "program_bench: no kind of file \"%s\"\n", kind.c_str());
        return 2;
    }
    std::ofstream file(path, std::ios::binary);
    const auto write = [&](const std::string& piece) {
        file.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    };
    const auto bytes = static_cast<long long>(megabytes * (1 << 20));
    const auto lines = static_cast<long long>(megabytes * 20000);
    if (kind == "cr" || kind == "lf") {
        const std::string piece(1 << 20, kind == "cr" ? '\r' : '\n');
        for (long long left = bytes; left > 0; left -= static_cast<long long>(piece.size())) {
            write(piece.substr(0, static_cast<std::size_t>(std::min<long long>(left, 1 << 20))));
        }
    } else {
        const char* const crLf[] = {"\r\n", nullptr};
        const char* const mixed[] = {"\r\n", "\n", "\r", nullptr};
        const char* const blanks[] = {" ", nullptr};
        const char* const* lineEnds = kind == "mixed" ? mixed : kind == "line" ? blanks : crLf;
        bench::javaLikeLines(lines, lineEnds, write);
    }
    file.close();
    if (!file) {
        std::fprintf(stderr, "program_bench: could not write %s\n", path);
        return 1;
    }
    return 0;
}

struct Series {
    std::vector<double> values;
    void add(double value) { values.push_back(value); }
    double median() {
        if (values.empty()) {
            return 0;
        }
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    }
    double max() const {
        return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
    }
};

// Runs the event loop with a fast timer and keeps the longest gap between its ticks: the
// longest time input would have waited.
class StallProbe {
public:
    StallProbe() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            longest_ = std::max(longest_, static_cast<double>(sinceTick_.nsecsElapsed()) / 1e6);
            sinceTick_.restart();
        });
    }
    void start() {
        longest_ = 0;
        sinceTick_.start();
        timer_.start();
    }
    double stop() {
        timer_.stop();
        return longest_;
    }

private:
    QTimer timer_;
    QElapsedTimer sinceTick_;
    double longest_ = 0;
};

void waitMs(int milliseconds) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

// A key pressed and released in the widget, handled and painted.
double pressKey(QWidget* widget, Qt::Key key, const QString& text,
                Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const double start = nowMs();
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
    QApplication::processEvents();
    return nowMs() - start;
}

// Stamps the end of the first paint of a widget that the test accepts: the next turn of the
// event loop after the paint event.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(std::function<bool(QObject*)> accepts) : accepts_(std::move(accepts)) {
        qApp->installEventFilter(this);
    }
    double paintedAt = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_ && accepts_(watched)) {
            seen_ = true;
            QTimer::singleShot(0, [this] { paintedAt = nowMs(); });
        }
        return false;
    }

private:
    std::function<bool(QObject*)> accepts_;
    bool seen_ = false;
};

platform::qt::QtTextControl* loadedControl(QObject* watched) {
    auto* control = qobject_cast<platform::qt::QtTextControl*>(watched->parent());
    return control != nullptr && control->length() > 0 ? control : nullptr;
}

template <typename Condition> bool waitFor(Condition condition, int limitMs) {
    QElapsedTimer waited;
    waited.start();
    while (!condition()) {
        if (waited.elapsed() > limitMs) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "program_bench: %s\n", what);
    std::fflush(stderr);
    std::_Exit(1);
}

// With MORVANE_BENCH_TRACE set, each event handled while the program idles for an outside
// measure is told on the error output: when, for how long, of which type, to which object.
class TracingApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool tracing = false;

    bool notify(QObject* receiver, QEvent* event) override {
        if (!tracing) {
            return QApplication::notify(receiver, event);
        }
        const double start = nowMs();
        const int type = event->type();
        const QByteArray receiverName =
            receiver->metaObject()->className() + QByteArray(" ") + receiver->objectName().toUtf8();
        const bool handled = QApplication::notify(receiver, event);
        std::fprintf(stderr, "event %.3f %.3f ms type %d %s\n", start, nowMs() - start, type,
                     receiverName.constData());
        return handled;
    }
};

int run(int argc, char** argv, const std::string& path, const std::string& sourceDir,
        bool thenIdle) {
    const double launched = launchMs();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    TracingApplication application(argc, argv);
    QTemporaryDir settingsFolder;
    {
        std::ofstream ini(QCoreApplication::applicationDirPath().toStdString() + "/Set.ini",
                          std::ios::binary);
        ini << sourceDir << "\r\n" << sourceDir << "\r\n";
    }

    platform::desktop::DesktopServices platform(settingsFolder.path());
    auto& windows = platform.windows;

    PaintWatch windowPainted(
        [](QObject* watched) { return watched->objectName() == QStringLiteral("frmMain"); });
    app::Module1 module(platform.services);
    module.Main();
    platform.parentDialogsToMainWindow();
    if (!waitFor([&] { return windowPainted.paintedAt > 0; }, 30000)) {
        fail("the main window was never painted");
    }
    const double startMs = windowPainted.paintedAt - launched;

    // The Open command through its menu item; the dialog gets the path typed and Enter.
    auto* open = windows.mainWindow()->findChild<QAction*>(QStringLiteral("mnuFileOpen"));
    if (open == nullptr) {
        fail("no Open menu item");
    }
    PaintWatch textPainted([](QObject* watched) { return loadedControl(watched) != nullptr; });
    double enteredAt = 0;
    // The longest time the window could not have answered while the file opened.
    StallProbe openProbe;
    QTimer typeIntoDialog;
    typeIntoDialog.setInterval(10);
    QObject::connect(&typeIntoDialog, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            return;
        }
        QLineEdit* name = platform::qt::nameBox(*dialog);
        if (name == nullptr) {
            return;
        }
        typeIntoDialog.stop();
        name->setText(QString::fromStdString(path));
        enteredAt = nowMs();
        openProbe.start();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(name, &enter);
    });
    typeIntoDialog.start();
    // A file the program refuses ends the run with the time to its message, which is shown
    // from inside the open.
    QTimer watchForRefusal;
    watchForRefusal.setInterval(5);
    QObject::connect(&watchForRefusal, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (enteredAt == 0 || box == nullptr || !box->isVisible()) {
            return;
        }
        std::printf("refused_ms=%.1f open_stall_ms=%.1f peak_mb=%.1f message=\"%s\"\n",
                    nowMs() - enteredAt, openProbe.stop(), bench::statusMegabytes("self", "VmHWM:"),
                    box->text().toUtf8().constData());
        std::fflush(stdout);
        std::_Exit(0);
    });
    watchForRefusal.start();
    QTimer::singleShot(0, open, &QAction::trigger);
    if (!waitFor([&] { return textPainted.paintedAt > 0; }, 600000)) {
        fail("the document's text was never painted");
    }
    watchForRefusal.stop();
    const double openMs = textPainted.paintedAt - enteredAt;
    const double openStallMs = openProbe.stop();
    const double peakMb = bench::statusMegabytes("self", "VmHWM:");
    const double residentMb = bench::statusMegabytes("self", "VmRSS:");

    auto* control = qobject_cast<platform::qt::QtTextControl*>(QApplication::focusWidget());
    if (control == nullptr) {
        const auto controls = windows.mainWindow()->findChildren<platform::qt::QtTextControl*>();
        if (controls.isEmpty()) {
            fail("no edit control");
        }
        control = controls.first();
    }
    control->setFocus();
    if (thenIdle) {
        // Another program types and measures from outside now, on the text as the file has
        // it, with the document filling the window.
        std::printf("start_ms=%.1f open_ms=%.1f open_stall_ms=%.1f peak_mb=%.1f rss_mb=%.1f\n",
                    startMs, openMs, openStallMs, peakMb, residentMb);
        if (QMdiSubWindow* document = windows.mainWindow()->mdiArea()->activeSubWindow()) {
            document->showMaximized();
        }
        std::printf("ready\n");
        std::fflush(stdout);
        application.tracing = !qEnvironmentVariableIsEmpty("MORVANE_BENCH_TRACE");
        QApplication::exec();
        std::_Exit(0);
    }
    waitMs(200);

    constexpr int Keys = 40;
    StallProbe probe;
    probe.start();
    Series atStart;
    Series atEnd;
    Series withPanels;
    Series caretMoves;
    const QString a = QStringLiteral("a");
    // Types the keys into the series; gives the first key's time.
    const auto typeKeys = [&](Series& series) {
        for (int i = 0; i < Keys; ++i) {
            series.add(pressKey(control, Qt::Key_A, a));
            waitMs(5);
        }
        return series.values.front();
    };
    const double firstKey = typeKeys(atStart);
    caretMoves.add(pressKey(control, Qt::Key_End, {}, Qt::ControlModifier));
    waitMs(5);
    const double firstKeyAtEnd = typeKeys(atEnd);
    auto* lineRow = windows.mainWindow()->findChild<QAction*>(QStringLiteral("行号列号"));
    if (lineRow == nullptr) {
        fail("no line and column button");
    }
    Series toolbarClicks;
    const auto click = [&] {
        const double start = nowMs();
        lineRow->trigger();
        QApplication::processEvents();
        toolbarClicks.add(nowMs() - start);
    };
    click();
    control->setFocus();
    for (int i = 0; i < Keys; ++i) {
        withPanels.add(pressKey(control, Qt::Key_A, a));
        waitMs(5);
        caretMoves.add(pressKey(control, i % 2 == 0 ? Qt::Key_Left : Qt::Key_Right, {}));
        waitMs(5);
    }
    click();
    const double stallMs = probe.stop();

    // Nothing changes now: whatever the program does is its timers' work.
    const double idleStart = cpuMs();
    QEventLoop idle;
    QTimer::singleShot(3000, &idle, &QEventLoop::quit);
    idle.exec();
    const double idleCpuMs = cpuMs() - idleStart;

    std::printf(
        "start_ms=%.1f open_ms=%.1f open_stall_ms=%.1f peak_mb=%.1f rss_mb=%.1f first_key_ms=%.2f "
        "key_start_med=%.2f key_start_max=%.2f first_end_key_ms=%.2f key_end_med=%.2f "
        "key_end_max=%.2f "
        "key_panels_med=%.2f caret_med=%.2f caret_max=%.2f toolbar_ms=%.2f "
        "stall_ms=%.1f idle_cpu_ms=%.1f\n",
        startMs, openMs, openStallMs, peakMb, residentMb, firstKey, atStart.median(), atStart.max(),
        firstKeyAtEnd, atEnd.median(), atEnd.max(), withPanels.median(), caretMoves.median(),
        caretMoves.max(), toolbarClicks.median(), stallMs, idleCpuMs);
    std::fflush(stdout);
    // The document is changed; leaving without the close prompt.
    std::_Exit(0);
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "generate" && (argc == 4 || argc == 5)) {
        return generate(argv[2], std::strtod(argv[3], nullptr), argc == 5 ? argv[4] : "java");
    }
    if (mode == "run" && (argc == 4 || (argc == 5 && std::string(argv[4]) == "--then-idle"))) {
        return run(argc, argv, argv[2], argv[3], argc == 5);
    }
    std::fprintf(stderr,
                 "usage: %s generate <file> <megabytes> [java|line|cr|lf|mixed]\n"
                 "       %s run <file> <source folder> [--then-idle]\n",
                 argv[0], argv[0]);
    return 2;
}
