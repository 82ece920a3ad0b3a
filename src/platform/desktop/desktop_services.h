// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/posix/iconv_code_page.h"
#include "platform/posix/large_blocks.h"
#include "platform/posix/posix_private_files.h"
#include "platform/posix/posix_text_files.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_file_dialogs.h"
#include "platform/qt/qt_main_window.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_process_start.h"
#include "platform/qt/qt_program_location.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_system_environment.h"
#include "platform/qt/qt_window_factory.h"
#include "platform/services.h"

#include <QString>

namespace platform::desktop {

// The real platform behind the program on a desktop system: Qt's windows and dialogs, the
// system's files and code page. One of each adapter, and the services over them.
struct DesktopServices {
    // An empty folder keeps the settings in the user's own configuration folder.
    explicit DesktopServices(QString settingsFolder = {}) : settings(std::move(settingsFolder)) {}

    // Boxes and dialogs stand over the main window from now on.
    void parentDialogsToMainWindow() {
        messageBox.setFallbackParent(windows.mainWindow());
        fileDialogs = qt::QtFileDialogs(windows.mainWindow());
    }

    qt::QtMessageBox messageBox;
    qt::QtSettingsStore settings;
    qt::QtProgramLocation location;
    posix::PosixTextFiles files;
    posix::IconvCodePage codePage;
    posix::large_blocks::Preparation largeBlocks;
    qt::QtWindowFactory windows{&largeBlocks};
    qt::QtFileDialogs fileDialogs;
    qt::QtProcessStart processes;
    qt::QtClipboard clipboard;
    qt::QtSystemEnvironment environment;
    posix::PosixPrivateFiles privateFiles;
    Services services{messageBox,  settings,  location,  files,       codePage,    windows,
                      fileDialogs, processes, clipboard, environment, privateFiles};
};

} // namespace platform::desktop
