// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/main_window_view.h"
#include "platform/services.h"
#include "platform/status_bar.h"
#include "process_values.h"

namespace editor {

class frmEdit;

// What the subsystems' commands reach of the program; the main window provides it, and a test
// can stand in for it.
class CommandContext {
public:
    virtual ~CommandContext() = default;

    virtual platform::Services& services() = 0;
    virtual ProcessValues& values() = 0;
    virtual platform::StatusBar& statusBar() = 0;

    // The main window: its document area and its progress box.
    virtual platform::MainWindowView& mainWindow() = 0;
    // The document window commands work on; none while no document window is open.
    virtual frmEdit* ActiveForm() = 0;
    // Creates, numbers and shows a new untitled document window, which becomes the active one.
    // Raises an overflow error, creating nothing, when the numbers are used up.
    virtual frmEdit& NewDocument() = 0;
    // Tells the user that NewDocument has no number left.
    virtual void reportNoMoreDocuments() = 0;
    // The Save command, as the menu runs it.
    virtual void mnuFileSave_Click() = 0;
};

} // namespace editor
