// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_file_dialogs.h"

#include "platform/win/wide_text.h"
#include "win_message_box.h"

#include <cderr.h>
#include <commdlg.h>
#include <vector>

namespace platform::win {

namespace {

// Room for the longest path the dialogs give back.
constexpr std::size_t PathRoom = 32768;

} // namespace

std::wstring WinFileDialogs::filterList(const std::string& filter) {
    std::wstring list;
    std::size_t start = 0;
    std::vector<std::string> parts;
    while (start <= filter.size() && !filter.empty()) {
        const std::size_t end = filter.find('|', start);
        parts.push_back(
            filter.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    // A description without a pattern is dropped.
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        list += wideText(parts[i]) + L'\0' + wideText(parts[i + 1]) + L'\0';
    }
    return list + L'\0';
}

std::wstring WinFileDialogs::defaultExtension(const std::string& defaultExt) {
    std::string extension = defaultExt;
    if (extension.starts_with('*')) {
        extension.erase(0, 1);
    }
    if (extension.starts_with('.')) {
        extension.erase(0, 1);
    }
    if (extension.find_first_of("*?\\/") != std::string::npos) {
        return {};
    }
    return wideText(extension);
}

std::optional<std::string> WinFileDialogs::show(const FileDialogRequest& request, bool save) {
    const std::wstring title = wideText(request.title);
    const std::wstring filter = filterList(request.filter);
    const std::wstring initDir = wideText(request.initDir);
    const std::wstring extension = defaultExtension(request.defaultExt);
    std::wstring proposed = wideText(request.fileName);
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::vector<wchar_t> path(PathRoom, L'\0');
        proposed.copy(path.data(), std::min(proposed.size(), PathRoom - 1));
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = ownerWindow(owner_ ? owner_() : nullptr);
        dialog.lpstrFilter = filter.size() > 1 ? filter.c_str() : nullptr;
        dialog.nFilterIndex = static_cast<DWORD>(request.filterIndex);
        dialog.lpstrFile = path.data();
        dialog.nMaxFile = static_cast<DWORD>(path.size());
        dialog.lpstrInitialDir = initDir.empty() ? nullptr : initDir.c_str();
        dialog.lpstrTitle = title.c_str();
        dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
        dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
        if (save) {
            dialog.Flags |= OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
        }
        const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
        if (chosen) {
            return utf8Text(path.data());
        }
        // A proposed name the dialog cannot show is dropped, and the dialog asked again.
        if (CommDlgExtendedError() == FNERR_INVALIDFILENAME && !proposed.empty()) {
            proposed.clear();
            continue;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::string> WinFileDialogs::showOpen(const FileDialogRequest& request) {
    return show(request, false);
}

std::optional<std::string> WinFileDialogs::showSave(const FileDialogRequest& request) {
    return show(request, true);
}

} // namespace platform::win
