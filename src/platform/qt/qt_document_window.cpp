// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "qt_document_window.h"

#include "platform/twips.h"
#include "qt_text_control.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QStyle>

namespace platform::qt {

namespace {

// A new document takes three quarters of the area and stands a step below and right of the
// one opened before it, as cascaded child windows do, starting over after a few steps.
constexpr double InitialShare = 0.75;
constexpr int CascadeSteps = 8;

} // namespace

DocumentSubWindow::DocumentSubWindow(QtDocumentWindow& owner, QWidget* parent)
    : QMdiSubWindow(parent), owner_(&owner) {
    setObjectName(QStringLiteral("frmEdit"));
    setAttribute(Qt::WA_DeleteOnClose);
}

void DocumentSubWindow::closeEvent(QCloseEvent* event) {
    if (owner_ == nullptr || owner_->events() == nullptr) {
        QMdiSubWindow::closeEvent(event);
        return;
    }
    bool cancel = false;
    owner_->events()->Form_Unload(cancel);
    if (cancel) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    if (!event->isAccepted()) {
        return;
    }
    // Closed, the window deletes itself (Qt::WA_DeleteOnClose): its owner lets it go, and the
    // program may drop the owner now; nothing of it is touched afterwards.
    DocumentWindowEvents* events = owner_->events();
    owner_->windowClosed();
    owner_ = nullptr;
    events->Form_Closed();
}

void DocumentSubWindow::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    if (owner_ != nullptr && owner_->events() != nullptr) {
        owner_->events()->Form_Resize();
    }
}

QtDocumentWindow::QtDocumentWindow(QMdiArea* area)
    : area_(area), window_(new DocumentSubWindow(*this, nullptr)), edit_(nullptr) {
    auto* client = new QWidget;
    edit_ = new QtTextControl(client);
    edit_->setObjectName(QStringLiteral("txtEdit"));
    window_->setWidget(client);
    area_->addSubWindow(window_);
    window_->hide();
}

QtDocumentWindow::~QtDocumentWindow() {
    // The control still reports focus changes while its window goes away: to nobody now.
    if (edit_) {
        edit_->setEvents(nullptr);
    }
    // A window that never closed goes with its owner; a closed one is on its way already.
    if (window_) {
        window_->disown();
        window_->deleteLater();
    }
}

void QtDocumentWindow::windowClosed() {
    window_ = nullptr;
}

std::string QtDocumentWindow::caption() {
    return window_ ? window_->windowTitle().toStdString() : std::string();
}

void QtDocumentWindow::setCaption(const std::string& caption) {
    if (window_) {
        window_->setWindowTitle(QString::fromStdString(caption));
    }
}

float QtDocumentWindow::width() {
    return window_ ? static_cast<float>(pixelsToTwips(window_->width(), window_->logicalDpiX()))
                   : 0;
}

float QtDocumentWindow::height() {
    return window_ ? static_cast<float>(pixelsToTwips(window_->height(), window_->logicalDpiY()))
                   : 0;
}

void QtDocumentWindow::setTextControlBounds(float left, float top, float width, float height) {
    const double dpiX = edit_->logicalDpiX();
    const double dpiY = edit_->logicalDpiY();
    edit_->setGeometry(twipsToPixels(left, dpiX), twipsToPixels(top, dpiY),
                       twipsToPixels(width, dpiX), twipsToPixels(height, dpiY));
}

TextControl& QtDocumentWindow::textControl() {
    return *edit_;
}

void QtDocumentWindow::show() {
    if (!window_) {
        return;
    }
    if (!window_->isVisible()) {
        const QSize area = area_->viewport()->size();
        window_->resize(area * InitialShare);
        const int step = window_->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window_);
        const int open = static_cast<int>(area_->subWindowList().size()) - 1;
        const int offset = (open % CascadeSteps) * step;
        window_->move(offset, offset);
    }
    window_->show();
    area_->setActiveSubWindow(window_);
    edit_->setFocus();
}

void QtDocumentWindow::bringToFront() {
    if (!window_) {
        return;
    }
    if (window_->isMinimized()) {
        window_->showNormal();
    }
    area_->setActiveSubWindow(window_);
    window_->raise();
}

bool QtDocumentWindow::close() {
    return window_ ? window_->close() : true;
}

} // namespace platform::qt
