// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// Measures the candidate edit widgets, and the adapter built on the chosen one, on a large
// Java-like source: time to the first painted screen after setting the text, the longest
// stall of the event loop while the widget keeps working afterwards, a key typed at the end
// of the document handled and painted, and the peak memory of the process.
//
// Usage: text_control_bench <textedit|plaintextedit|scintilla|control> [lines]
// Run one candidate per process so that each peak memory figure is its own.

#include "java_like_source.h"
#include "platform/qt/qt_text_control.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>

#include <Qsci/qsciscintilla.h>
#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long peakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// One widget under test, reached the same way whatever it is.
struct Candidate {
    QAbstractScrollArea* widget = nullptr;
    std::function<void()> setText;
    std::function<void()> moveToEnd;
    // Further figures of the adapter itself, once the text is loaded.
    std::function<void()> report;
};

template <typename Action> double millisecondsOf(Action action) {
    const auto start = Clock::now();
    action();
    return millisecondsSince(start);
}

void reportControl(platform::qt::QtTextControl& control) {
    control.SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
    const double atEnd = millisecondsOf([&] { control.selStartPosition(); });
    control.SendScintilla(QsciScintillaBase::SCI_DOCUMENTSTART);
    const double atStart = millisecondsOf([&] { control.selStartPosition(); });
    std::printf("  caret line and column: %.3f ms at the start, %.3f ms at the end\n", atStart,
                atEnd);
    const double text = millisecondsOf([&] { control.text(); });
    std::printf("  text() of the whole document: %.0f ms\n", text);

    control.SendScintilla(QsciScintillaBase::SCI_SETSEL, 100, 160);
    const double boldSmall = millisecondsOf([&] { control.setSelBold(true); });
    const double largerSmall = millisecondsOf([&] { control.setSelFontSize(30); });
    control.SendScintilla(QsciScintillaBase::SCI_SELECTALL);
    const double readAll = millisecondsOf([&] { control.selBold(); });
    const double boldAll = millisecondsOf([&] { control.setSelBold(true); });
    const double smallerAll = millisecondsOf([&] { control.setSelFontSize(14); });
    std::printf("  bold / 30 pt on 60 characters: %.0f / %.0f ms; on the whole text: read %.0f ms,"
                " bold %.0f ms, 14 pt %.0f ms\n",
                boldSmall, largerSmall, readAll, boldAll, smallerAll);
}

Candidate makeCandidate(const std::string& kind, const std::string& utf8) {
    Candidate candidate;
    if (kind == "textedit") {
        auto* edit = new QTextEdit;
        edit->setFont(QFont(QStringLiteral("Noto Serif CJK SC"), 15));
        edit->setAcceptRichText(false);
        candidate.widget = edit;
        candidate.setText = [edit, &utf8] { edit->setPlainText(QString::fromStdString(utf8)); };
        candidate.moveToEnd = [edit] { edit->moveCursor(QTextCursor::End); };
    } else if (kind == "plaintextedit") {
        auto* edit = new QPlainTextEdit;
        edit->setFont(QFont(QStringLiteral("Noto Serif CJK SC"), 15));
        candidate.widget = edit;
        candidate.setText = [edit, &utf8] { edit->setPlainText(QString::fromStdString(utf8)); };
        candidate.moveToEnd = [edit] { edit->moveCursor(QTextCursor::End); };
    } else if (kind == "scintilla") {
        auto* edit = new QsciScintilla;
        edit->setUtf8(true);
        edit->setFont(QFont(QStringLiteral("Noto Serif CJK SC"), 15));
        candidate.widget = edit;
        candidate.setText = [edit, &utf8] {
            edit->SendScintilla(QsciScintillaBase::SCI_SETTEXT, utf8.c_str());
        };
        candidate.moveToEnd = [edit] { edit->SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND); };
    } else if (kind == "control") {
        auto* control = new platform::qt::QtTextControl;
        candidate.widget = control;
        candidate.setText = [control, &utf8] { control->setText(utf8); };
        candidate.moveToEnd = [control] {
            control->SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
        };
        candidate.report = [control] { reportControl(*control); };
    }
    return candidate;
}

// Sends a key to the widget and returns once it is handled and every resulting paint is done.
double typeAndPaint(QWidget* widget, Qt::Key key, const QString& text) {
    const auto start = Clock::now();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
    QApplication::processEvents();
    return millisecondsSince(start);
}

// Runs the event loop for a while with a fast timer and reports the longest gap between its
// ticks: the longest time a user's input would have waited.
double longestStall(int milliseconds) {
    QElapsedTimer sinceTick;
    double longest = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        longest = std::max(longest, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
    });
    QElapsedTimer total;
    total.start();
    sinceTick.start();
    probe.start();
    while (total.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return longest;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <textedit|plaintextedit|scintilla|control> [lines]\n",
                     argv[0]);
        return 2;
    }
    const std::string kind = argv[1];
    const int lines = argc > 2 ? std::stoi(argv[2]) : 400000;
    const std::string utf8 = bench::javaLikeSource(lines);
    const long baseline = peakResidentMegabytes();

    Candidate candidate = makeCandidate(kind, utf8);
    if (candidate.widget == nullptr) {
        std::fprintf(stderr, "unknown candidate %s\n", kind.c_str());
        return 2;
    }
    std::unique_ptr<QAbstractScrollArea> owner(candidate.widget);
    QWidget* widget = candidate.widget;
    widget->resize(1000, 700);
    widget->show();
    widget->activateWindow();
    widget->setFocus();
    QApplication::processEvents();

    const auto loadStart = Clock::now();
    candidate.setText();
    const double setMs = millisecondsSince(loadStart);
    candidate.widget->viewport()->repaint();
    const double firstPaintMs = millisecondsSince(loadStart);

    // Whatever the widget goes on doing (layout in the background) must leave input free.
    const double stallMs = longestStall(6000);

    const auto endStart = Clock::now();
    candidate.moveToEnd();
    QApplication::processEvents();
    const double toEndMs = millisecondsSince(endStart);

    std::vector<double> keys;
    for (int i = 0; i < 40; ++i) {
        keys.push_back(typeAndPaint(widget, Qt::Key_A, QStringLiteral("a")));
        keys.push_back(typeAndPaint(widget, Qt::Key_Backspace, QString()));
    }
    std::sort(keys.begin(), keys.end());

    std::printf("%-14s platform=%s lines=%d bytes=%zu\n", kind.c_str(),
                qPrintable(QGuiApplication::platformName()), lines, utf8.size());
    std::printf("  setText %.0f ms, first screen painted %.0f ms after setText\n", setMs,
                firstPaintMs);
    std::printf("  longest event-loop stall in the 6 s after: %.1f ms\n", stallMs);
    std::printf("  caret to the end and painted: %.1f ms\n", toEndMs);
    std::printf("  key at the end handled and painted: median %.2f ms, max %.2f ms\n",
                keys[keys.size() / 2], keys.back());
    std::printf("  peak memory %ld MB (%ld MB before the widget)\n", peakResidentMegabytes(),
                baseline);
    if (candidate.report) {
        candidate.report();
        std::printf("  peak memory after formatting the whole text: %ld MB\n",
                    peakResidentMegabytes());
    }
    return 0;
}
