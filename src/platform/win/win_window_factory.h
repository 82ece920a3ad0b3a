// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/window_factory.h"
#include "win_api.h"

namespace platform::win {

class WinMainWindow;

class WinWindowFactory : public WindowFactory {
public:
    explicit WinWindowFactory(HINSTANCE instance) : instance_(instance) {}

    std::unique_ptr<MainWindowView> createMainWindow() override;
    std::unique_ptr<SettingsDialogView> createSettingsDialog() override;
    std::unique_ptr<AboutBoxView> createAboutBox() override;

    // The main window made last, the owner of boxes and dialogs; none before it exists.
    WinMainWindow* mainWindow() const { return mainWindow_; }
    HWND mainWindowHandle() const;

private:
    HINSTANCE instance_;
    WinMainWindow* mainWindow_ = nullptr;
};

} // namespace platform::win
