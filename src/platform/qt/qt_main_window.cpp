// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "qt_main_window.h"

#include "platform/document_window_view.h"
#include "platform/error.h"
#include "platform/text_control.h"
#include "platform/twips.h"

#include <cmath>

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMenuBar>
#include <QProgressDialog>
#include <QStatusBar>

namespace platform::qt {

namespace {

// X11 keeps window coordinates and sizes in 16 bits.
constexpr int LowestCoordinate = -32768;
constexpr int HighestCoordinate = 32767;

// Outer bounds: the window's own once it is on screen, the requested ones before.
QRect currentOuter(const QWidget& window, const QRect& requested) {
    return window.isVisible() ? window.frameGeometry() : requested;
}

} // namespace

QtMainWindow::QtMainWindow(MemoryPreparation* preparation)
    : area_(new QMdiArea(this)),
      menus_(QMainWindow::menuBar(),
             [this](std::function<void()> command) { whenIdle(std::move(command)); }),
      tools_(addToolBar(QStringLiteral("tbToolBar")),
             [this](std::function<void()> command) { whenIdle(std::move(command)); }),
      status_(new QtStatusBar(QMainWindow::statusBar(), [this] { return editorInsertMode(); })),
      documents_(area_, preparation) {
    setObjectName(QStringLiteral("frmMain"));
    area_->setObjectName(QStringLiteral("documentArea"));
    QMainWindow::statusBar()->setObjectName(QStringLiteral("StaBar1"));
    QMainWindow::statusBar()->setSizeGripEnabled(false);
    setCentralWidget(area_);
    outer_ = frameGeometry();
}

bool QtMainWindow::editorInsertMode() {
    // Insert mode belongs to each editor; with no document open, typing would insert.
    DocumentWindowView* document = documents_.activeDocument();
    return document == nullptr || !document->textControl().overwriteMode();
}

float QtMainWindow::readMeasure(const Measure& measure, int pixels, double dpi) const {
    if (measure.set && measure.pixels == pixels) {
        return measure.twips;
    }
    return static_cast<float>(pixelsToTwips(pixels, dpi));
}

float QtMainWindow::left() {
    return readMeasure(left_, currentOuter(*this, outer_).x(), logicalDpiX());
}
float QtMainWindow::top() {
    return readMeasure(top_, currentOuter(*this, outer_).y(), logicalDpiY());
}
float QtMainWindow::width() {
    return readMeasure(width_, currentOuter(*this, outer_).width(), logicalDpiX());
}
float QtMainWindow::height() {
    return readMeasure(height_, currentOuter(*this, outer_).height(), logicalDpiY());
}

int QtMainWindow::checkedPixels(float twips, double dpi, int lowest) const {
    const double pixels = std::round(twips * dpi / TwipsPerInch);
    if (!std::isfinite(pixels) || pixels < lowest || pixels > HighestCoordinate) {
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, InvalidPropertyValueText);
    }
    return static_cast<int>(pixels);
}

void QtMainWindow::setMeasure(Measure& measure, float twips, double dpi, int lowest,
                              void (QRect::*place)(int)) {
    const int pixels = checkedPixels(twips, dpi, lowest);
    outer_ = currentOuter(*this, outer_);
    (outer_.*place)(pixels);
    measure = {twips, pixels, true};
    applyOuterBounds();
}

void QtMainWindow::setLeft(float twips) {
    setMeasure(left_, twips, logicalDpiX(), LowestCoordinate, &QRect::moveLeft);
}

void QtMainWindow::setTop(float twips) {
    setMeasure(top_, twips, logicalDpiY(), LowestCoordinate, &QRect::moveTop);
}

void QtMainWindow::setWidth(float twips) {
    setMeasure(width_, twips, logicalDpiX(), 0, &QRect::setWidth);
}

void QtMainWindow::setHeight(float twips) {
    setMeasure(height_, twips, logicalDpiY(), 0, &QRect::setHeight);
}

void QtMainWindow::applyOuterBounds() {
    // The frame's size is known only once the window is mapped; until then it counts as none.
    const QSize frame = frameGeometry().size() - geometry().size();
    move(outer_.topLeft());
    resize(outer_.size() - frame);
}

void QtMainWindow::correctForFrame() {
    if (frameCorrected_ || !isVisible()) {
        return;
    }
    if (frameGeometry().size() == geometry().size()) {
        return; // no frame (yet)
    }
    frameCorrected_ = true;
    applyOuterBounds();
}

bool QtMainWindow::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
        event->type() == QEvent::Show) {
        correctForFrame();
    }
    return handled;
}

WindowState QtMainWindow::windowState() {
    if (isMinimized()) {
        return WindowState::Minimized;
    }
    if (isMaximized()) {
        return WindowState::Maximized;
    }
    return WindowState::Normal;
}

std::string QtMainWindow::caption() {
    return windowTitle().toStdString();
}

void QtMainWindow::setCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void QtMainWindow::show() {
    if (!loaded_) {
        loaded_ = true;
        if (events_ != nullptr) {
            events_->MDIForm_Load();
        }
    }
    QMainWindow::show();
}

void QtMainWindow::close() {
    QMainWindow::close();
}

void QtMainWindow::runSoon(std::function<void()> work) {
    // Queued with this window as its context: dropped should the window go first.
    QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
}

void QtMainWindow::whenIdle(std::function<void()> command) {
    if (busy()) {
        deferred_.push_back(std::move(command));
    } else {
        command();
    }
}

void QtMainWindow::runDeferred() {
    if (busy()) {
        return;
    }
    std::vector<std::function<void()>> commands;
    commands.swap(deferred_);
    for (auto& command : commands) {
        command();
    }
    if (closeDeferred_ && !busy()) {
        closeDeferred_ = false;
        close();
    }
}

bool QtMainWindow::runStepwise(const ProgressRequest& request, StepwiseWork& work) {
    // Busy until the work ends however it ends; what waited runs on the next turn of the
    // event loop, after the command that ran the work.
    ++busy_;
    struct BusyScope {
        QtMainWindow& window;
        ~BusyScope() {
            if (--window.busy_ == 0 && (!window.deferred_.empty() || window.closeDeferred_)) {
                QMetaObject::invokeMethod(&window, &QtMainWindow::runDeferred,
                                          Qt::QueuedConnection);
            }
        }
    } scope{*this};
    constexpr int Steps = 1000;
    QProgressDialog progress(QString::fromStdString(request.label),
                             QString::fromStdString(request.cancelText), 0, Steps, this);
    progress.setWindowTitle(QString::fromStdString(request.title));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(request.showAfterMs);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    QElapsedTimer working;
    working.start();
    // Steps run here, not from the event loop, so that what a step raises leaves through the
    // caller. Until the box shows, input waits, so no command starts in between.
    while (work.step()) {
        if (working.elapsed() >= request.showAfterMs) {
            progress.setValue(static_cast<int>(work.fraction() * Steps));
        }
        QApplication::processEvents(progress.isVisible() ? QEventLoop::AllEvents
                                                         : QEventLoop::ExcludeUserInputEvents);
        if (progress.wasCanceled()) {
            return false;
        }
    }
    return true;
}

void QtMainWindow::closeEvent(QCloseEvent* event) {
    if (busy()) {
        event->ignore();
        closeDeferred_ = true;
        return;
    }
    if (events_ == nullptr || events_->MDIForm_QueryClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace platform::qt
