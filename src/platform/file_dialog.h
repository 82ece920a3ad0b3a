// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <optional>
#include <string>

namespace platform {

// What a file dialog is asked to show. The filter is a list of description and pattern pairs
// separated by "|" ("Java源程序(*.java)|*.java|..."); filterIndex counts from 1; defaultExt
// may be written with or without "*." ("*.htm" means the suffix "htm").
struct FileDialogRequest {
    std::string title;
    std::string filter;
    int filterIndex = 1;
    std::string initDir;
    std::string defaultExt;
    std::string fileName;
};

// Modal open and save dialogs. The save dialog asks before it chooses an existing file, and
// stays open when the user declines; the open dialog takes a typed name of a file that does
// not exist. Nothing means the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual std::optional<std::string> showOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> showSave(const FileDialogRequest& request) = 0;
};

} // namespace platform
