// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "app/module1.h"
#include "fake_platform.h"
#include "platform/qt/qt_main_window.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_window_factory.h"
#include "qt_fixture.h"

#include <gtest/gtest.h>

// The program started on its real windows, with fake files, boxes, dialogs and processes, and
// its settings in a temporary folder.
class QtProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.files.files["/opt/morvane/Set.ini"] = "/jdk/\r\n/src/\r\n";
        module.Main();
        window = windows.mainWindow();
        processEvents();
    }
    void TearDown() override { window->hide(); }

    QtTestEnvironment environment;
    fakes::FakePlatform platform;
    platform::qt::QtSettingsStore settings{environment.directory.path()};
    platform::qt::QtWindowFactory windows;
    platform::Services services{platform.messageBox,  settings,
                                platform.location,    platform.files,
                                platform.codePage,    windows,
                                platform.fileDialogs, platform.processes,
                                platform.clipboard,   platform.environment,
                                platform.privateFiles};
    app::Module1 module{services};
    platform::qt::QtMainWindow* window = nullptr;
};
