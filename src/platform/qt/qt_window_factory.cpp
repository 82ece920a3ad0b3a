// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "qt_window_factory.h"

#include "qt_about_box.h"
#include "qt_main_window.h"
#include "qt_settings_dialog.h"

namespace platform::qt {

std::unique_ptr<MainWindowView> QtWindowFactory::createMainWindow() {
    auto window = std::make_unique<QtMainWindow>(preparation_);
    mainWindow_ = window.get();
    return window;
}

std::unique_ptr<SettingsDialogView> QtWindowFactory::createSettingsDialog() {
    return std::make_unique<QtSettingsDialog>(mainWindow_);
}

} // namespace platform::qt

namespace platform::qt {

std::unique_ptr<AboutBoxView> QtWindowFactory::createAboutBox() {
    return std::make_unique<QtAboutBox>(mainWindow_);
}

} // namespace platform::qt
