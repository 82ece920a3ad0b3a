// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/document_window_view.h"
#include "qt_text_control.h"

#include <QMdiSubWindow>
#include <QPointer>

class QMdiArea;

namespace platform::qt {

class QtDocumentWindow;

// The sub-window itself; it tells its owner what happens to it.
class DocumentSubWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    DocumentSubWindow(QtDocumentWindow& owner, QWidget* parent);
    QtDocumentWindow* owner() const { return owner_; }
    // The owner went away first: the window tells nobody any more.
    void disown() { owner_ = nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QtDocumentWindow* owner_;
};

// A document window in the main window's document area. The program owns this object; the
// sub-window belongs to the area and deletes itself when it closes, or goes with this object
// when it never closed.
class QtDocumentWindow : public DocumentWindowView {
public:
    explicit QtDocumentWindow(QMdiArea* area);
    ~QtDocumentWindow() override;

    void setEvents(DocumentWindowEvents* events) override { events_ = events; }
    std::string caption() override;
    void setCaption(const std::string& caption) override;
    float width() override;
    float height() override;
    void setTextControlBounds(float left, float top, float width, float height) override;
    TextControl& textControl() override;

    void show() override;
    void bringToFront() override;
    bool close() override;

    DocumentSubWindow* subWindow() const { return window_; }
    QtTextControl* edit() const { return edit_.data(); }
    DocumentWindowEvents* events() const { return events_; }
    // The sub-window has closed and deletes itself.
    void windowClosed();

private:
    QMdiArea* area_;
    QPointer<DocumentSubWindow> window_;
    QPointer<QtTextControl> edit_;
    DocumentWindowEvents* events_ = nullptr;
};

} // namespace platform::qt
