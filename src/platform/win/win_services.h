// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/services.h"
#include "platform/win/win_code_page.h"
#include "platform/win/win_process_start.h"
#include "platform/win/win_program_location.h"
#include "platform/win/win_text_files.h"
#include "win_clipboard.h"
#include "win_file_dialogs.h"
#include "win_message_box.h"
#include "win_private_files.h"
#include "win_settings_store.h"
#include "win_system_environment.h"
#include "win_window_factory.h"

namespace platform::win {

// The real platform behind the Windows program: one of each adapter, and the services over
// them. Boxes and dialogs stand over the main window once it exists.
struct WinServices {
    explicit WinServices(HINSTANCE instance) : windows(instance) {}

    WinWindowFactory windows;
    WinMessageBox messageBox{[this] { return windows.mainWindowHandle(); }};
    WinSettingsStore settings;
    WinProgramLocation location;
    WinTextFiles files;
    WinCodePage codePage;
    WinFileDialogs fileDialogs{[this] { return windows.mainWindowHandle(); }};
    WinProcessStart processes;
    WinClipboard clipboard;
    WinSystemEnvironment environment;
    WinPrivateFiles privateFiles;
    Services services{messageBox,  settings,  location,  files,       codePage,    windows,
                      fileDialogs, processes, clipboard, environment, privateFiles};
};

} // namespace platform::win
