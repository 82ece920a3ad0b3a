// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/file_dialog.h"

#include <string>

namespace files {

// A file dialog whose fields keep their values from one showing to the next, so a field that a
// command does not set carries what the previous command left in it.
class CommonDialog {
public:
    explicit CommonDialog(platform::FileDialogs& dialogs) : dialogs_(dialogs) {}

    std::string DialogTitle;
    bool CancelError = false;
    std::string Filter;
    int FilterIndex = 1;
    std::string InitDir;
    std::string DefaultExt;
    std::string FileName;

    // After OK, FileName holds the chosen path. A cancel raises error 32755 when CancelError
    // is set; otherwise it leaves FileName as it was.
    void ShowOpen();
    void ShowSave();

private:
    platform::FileDialogRequest request() const;
    void take(const std::optional<std::string>& chosen);

    platform::FileDialogs& dialogs_;
};

} // namespace files
