#pragma once

#include "iconv_code_page.h"
#include "platform/services.h"
#include "posix_private_files.h"
#include "posix_text_files.h"
#include "qt_clipboard.h"
#include "qt_file_dialogs.h"
#include "qt_main_window.h"
#include "qt_message_box.h"
#include "qt_process_start.h"
#include "qt_program_location.h"
#include "qt_settings_store.h"
#include "qt_system_environment.h"
#include "qt_window_factory.h"

#include <QString>

namespace platform::qt {

// The real platform behind the program: one of each adapter, and the services over them.
struct QtServices {
    // An empty folder keeps the settings in the user's own configuration folder.
    explicit QtServices(QString settingsFolder = {}) : settings(std::move(settingsFolder)) {}

    // Boxes and dialogs stand over the main window from now on.
    void parentDialogsToMainWindow() {
        messageBox.setFallbackParent(windows.mainWindow());
        fileDialogs = QtFileDialogs(windows.mainWindow());
    }

    QtMessageBox messageBox;
    QtSettingsStore settings;
    QtProgramLocation location;
    PosixTextFiles files;
    IconvCodePage codePage;
    QtWindowFactory windows;
    QtFileDialogs fileDialogs;
    QtProcessStart processes;
    QtClipboard clipboard;
    QtSystemEnvironment environment;
    PosixPrivateFiles privateFiles;
    Services services{messageBox,  settings,  location,  files,       codePage,    windows,
                      fileDialogs, processes, clipboard, environment, privateFiles};
};

} // namespace platform::qt
