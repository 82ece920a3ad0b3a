// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_clipboard.h"

#include "files/plain_text.h"
#include "platform/win/wide_text.h"
#include "win_api.h"

#include <cstring>

namespace platform::win {

namespace {

// Another program may hold the clipboard for a moment.
bool openClipboard() {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(nullptr)) {
            return true;
        }
        Sleep(10);
    }
    return false;
}

} // namespace

std::string WinClipboard::text() {
    if (!openClipboard()) {
        return {};
    }
    std::wstring text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
            text.assign(locked, wcsnlen(locked, GlobalSize(data) / sizeof(wchar_t)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    try {
        return files::withLineEnds(utf8Text(text), "\n");
    } catch (const std::exception&) {
        return {};
    }
}

void WinClipboard::setText(const std::string& text) {
    const std::wstring wide = wideText(files::withLineEnds(text, "\r\n"));
    const HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    if (data == nullptr) {
        return;
    }
    std::memcpy(GlobalLock(data), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(data);
    if (!openClipboard()) {
        GlobalFree(data);
        return;
    }
    EmptyClipboard();
    if (SetClipboardData(CF_UNICODETEXT, data) == nullptr) {
        GlobalFree(data);
    }
    CloseClipboard();
}

} // namespace platform::win
