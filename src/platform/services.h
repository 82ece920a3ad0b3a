// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "clipboard.h"
#include "code_page.h"
#include "file_dialog.h"
#include "message_box.h"
#include "private_files.h"
#include "process_start.h"
#include "program_location.h"
#include "settings_store.h"
#include "system_environment.h"
#include "text_files.h"
#include "window_factory.h"

namespace platform {

// Everything the program reaches of the world, handed to it once at start.
struct Services {
    MessageBox& messageBox;
    SettingsStore& settings;
    ProgramLocation& location;
    TextFiles& files;
    CodePage& codePage;
    WindowFactory& windows;
    FileDialogs& fileDialogs;
    ProcessStart& processes;
    Clipboard& clipboard;
    SystemEnvironment& environment;
    PrivateFiles& privateFiles;
};

} // namespace platform
