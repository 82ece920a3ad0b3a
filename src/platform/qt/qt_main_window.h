// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/main_window_view.h"
#include "qt_document_host.h"
#include "qt_menu_bar.h"
#include "qt_status_bar.h"
#include "qt_tool_bar.h"

#include <functional>
#include <vector>

#include <QMainWindow>

class QMdiArea;

namespace platform::qt {

// The main window: a QMdiArea for the documents, the menu bar and the status bar. It places
// itself by outer bounds in twips and leaves every decision to its events.
class QtMainWindow : public QMainWindow, public MainWindowView {
    Q_OBJECT
public:
    explicit QtMainWindow(MemoryPreparation* preparation = nullptr);

    void setEvents(MainWindowEvents* events) override { events_ = events; }

    float left() override;
    float top() override;
    float width() override;
    float height() override;
    void setLeft(float twips) override;
    void setTop(float twips) override;
    void setWidth(float twips) override;
    void setHeight(float twips) override;
    WindowState windowState() override;

    std::string caption() override;
    void setCaption(const std::string& caption) override;

    MenuBar& menuBar() override { return menus_; }
    StatusBar& statusBar() override { return *status_; }
    ToolBar& toolBar() override { return tools_; }
    DocumentHost& documents() override { return documents_; }
    QtDocumentHost& documentHost() { return documents_; }
    QtStatusBar& statusPanels() { return *status_; }
    QMdiArea* mdiArea() const { return area_; }

    void show() override;
    void close() override;
    bool runStepwise(const ProgressRequest& request, StepwiseWork& work) override;
    void runSoon(std::function<void()> work) override;

    // Runs a command at once, or once the work under way (an open) is over: its nested event
    // loops still deliver timers, queued calls and the window system's requests.
    void whenIdle(std::function<void()> command);
    bool busy() const { return busy_ > 0; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // One measure as last set: reading it back gives the same twips while the window keeps
    // the pixel value they were turned into, so stored bounds survive a restart unchanged.
    struct Measure {
        float twips = 0;
        int pixels = 0;
        bool set = false;
    };
    float readMeasure(const Measure& measure, int pixels, double dpi) const;
    int checkedPixels(float twips, double dpi, int lowest) const;
    void setMeasure(Measure& measure, float twips, double dpi, int lowest,
                    void (QRect::*place)(int));
    void applyOuterBounds();
    void correctForFrame();
    bool editorInsertMode();
    void runDeferred();

    MainWindowEvents* events_ = nullptr;
    QMdiArea* area_;
    QtMenuBar menus_;
    QtToolBar tools_;
    QtStatusBar* status_;
    QtDocumentHost documents_;
    Measure left_, top_, width_, height_;
    QRect outer_;
    bool loaded_ = false;
    bool frameCorrected_ = false;
    int busy_ = 0;
    // What came while the window was busy: commands, and a request to close.
    std::vector<std::function<void()>> deferred_;
    bool closeDeferred_ = false;
};

} // namespace platform::qt
