// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "editor/process_values.h"
#include "platform/services.h"

#include <memory>
#include <string>

namespace toolchain {
class frmDialog;
}

namespace app {

class frmAbout;
class frmMain;

// The process-wide values and the start-up routine.
class Module1 : public editor::ProcessValues {
public:
    explicit Module1(platform::Services& services);
    ~Module1();
    Module1(const Module1&) = delete;
    Module1& operator=(const Module1&) = delete;

    // Start-up routine: shows the main window, then asks for the tool directories while one
    // of them is unknown.
    void Main();

    // The settings dialog, made at its first use and kept for the rest of the run.
    toolchain::frmDialog& settingsDialog();

    // The About box, made at its first use and kept for the rest of the run.
    frmAbout& aboutBox();

    platform::Services& services;

    frmMain* MainWindow = nullptr;

private:
    // Tells the user once of each save that a previous run died in, and where the old content
    // is; copies told of long ago go.
    void reportInterruptedSaves();

    // The dialog's window stands over the main window: it goes first.
    std::unique_ptr<frmMain> mainWindow_;
    std::unique_ptr<toolchain::frmDialog> settingsDialog_;
    std::unique_ptr<frmAbout> aboutBox_;
};

using editor::ApplicationTitle;

} // namespace app
