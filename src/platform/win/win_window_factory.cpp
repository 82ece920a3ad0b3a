// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_window_factory.h"

#include "win_about_box.h"
#include "win_main_window.h"
#include "win_settings_dialog.h"

namespace platform::win {

std::unique_ptr<MainWindowView> WinWindowFactory::createMainWindow() {
    auto window = std::make_unique<WinMainWindow>(instance_);
    mainWindow_ = window.get();
    return window;
}

HWND WinWindowFactory::mainWindowHandle() const {
    return mainWindow_ != nullptr ? mainWindow_->handle() : nullptr;
}

std::unique_ptr<SettingsDialogView> WinWindowFactory::createSettingsDialog() {
    return std::make_unique<WinSettingsDialog>(instance_, [this] { return mainWindowHandle(); });
}

std::unique_ptr<AboutBoxView> WinWindowFactory::createAboutBox() {
    return std::make_unique<WinAboutBox>(instance_, [this] { return mainWindowHandle(); });
}

} // namespace platform::win
