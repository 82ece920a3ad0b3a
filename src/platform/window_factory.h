// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "about_box_view.h"
#include "main_window_view.h"
#include "settings_dialog_view.h"

#include <memory>

namespace platform {

// Creates the platform's windows for the program's forms.
class WindowFactory {
public:
    virtual ~WindowFactory() = default;
    virtual std::unique_ptr<MainWindowView> createMainWindow() = 0;
    virtual std::unique_ptr<SettingsDialogView> createSettingsDialog() = 0;
    virtual std::unique_ptr<AboutBoxView> createAboutBox() = 0;
};

} // namespace platform
