// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/file_dialog.h"
#include "win_api.h"

#include <functional>
#include <string>

namespace platform::win {

// The system's Open and Save As dialogs. Save asks before it gives back the name of an
// existing file; Open takes a typed name of a file that does not exist. Both leave the process
// in the folder chosen, as the dialogs do by default.
class WinFileDialogs : public FileDialogs {
public:
    explicit WinFileDialogs(std::function<HWND()> owner) : owner_(std::move(owner)) {}

    std::optional<std::string> showOpen(const FileDialogRequest& request) override;
    std::optional<std::string> showSave(const FileDialogRequest& request) override;

    // "desc|pattern|desc|pattern" as the dialogs take it: NUL-separated, ended by two NULs.
    static std::wstring filterList(const std::string& filter);
    // "*.htm", ".htm" and "htm" all mean "htm"; a wildcard means none.
    static std::wstring defaultExtension(const std::string& defaultExt);

private:
    std::optional<std::string> show(const FileDialogRequest& request, bool save);

    std::function<HWND()> owner_;
};

} // namespace platform::win
