// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "progress.h"

#include <functional>
#include <string>

namespace platform {

class DocumentHost;
class MenuBar;
class StatusBar;
class ToolBar;

enum class WindowState { Normal, Minimized, Maximized };

// What the main window tells the program.
class MainWindowEvents {
public:
    virtual ~MainWindowEvents() = default;
    // Once, at the first showing, before the window becomes visible.
    virtual void MDIForm_Load() = 0;
    // The window is asked to close (close box or a command): false keeps it open.
    virtual bool MDIForm_QueryClose() = 0;
};

// The multiple-document main window. Bounds are outer bounds in twips, screen coordinates.
class MainWindowView {
public:
    virtual ~MainWindowView() = default;
    virtual void setEvents(MainWindowEvents* events) = 0;

    virtual float left() = 0;
    virtual float top() = 0;
    virtual float width() = 0;
    virtual float height() = 0;
    // A value the window system cannot hold raises RuntimeError 380 and changes nothing.
    virtual void setLeft(float twips) = 0;
    virtual void setTop(float twips) = 0;
    virtual void setWidth(float twips) = 0;
    virtual void setHeight(float twips) = 0;
    virtual WindowState windowState() = 0;

    virtual std::string caption() = 0;
    virtual void setCaption(const std::string& caption) = 0;

    virtual MenuBar& menuBar() = 0;
    virtual StatusBar& statusBar() = 0;
    virtual ToolBar& toolBar() = 0;
    virtual DocumentHost& documents() = 0;

    // Modeless; the first showing runs MDIForm_Load before the window appears.
    virtual void show() = 0;
    // Asks the window to close, as its close box does.
    virtual void close() = 0;

    // Runs the work step after step to its end, repainting between the steps, with the
    // progress box once the request's delay has passed; no command runs meanwhile. False when
    // the user cancelled. What a step raises comes out of this call.
    virtual bool runStepwise(const ProgressRequest& request, StepwiseWork& work) = 0;

    // Runs the work on a later turn of the event loop, once the event being handled is done,
    // so that whatever called this has returned. Work still waiting when the window goes is
    // dropped.
    virtual void runSoon(std::function<void()> work) = 0;
};

} // namespace platform
