// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/memory_preparation.h"
#include "platform/window_factory.h"

class QWidget;

namespace platform::qt {

class QtMainWindow;

class QtWindowFactory : public WindowFactory {
public:
    // The main window's documents take memory prepared ahead where preparation is given.
    explicit QtWindowFactory(MemoryPreparation* preparation = nullptr)
        : preparation_(preparation) {}

    std::unique_ptr<MainWindowView> createMainWindow() override;
    std::unique_ptr<SettingsDialogView> createSettingsDialog() override;
    std::unique_ptr<AboutBoxView> createAboutBox() override;

    // The main window made last, the parent of dialogs; none before it exists.
    QtMainWindow* mainWindow() const { return mainWindow_; }

private:
    QtMainWindow* mainWindow_ = nullptr;
    MemoryPreparation* preparation_;
};

} // namespace platform::qt
