// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_text_store.h"

#include "win_rich_edit.h"
#include "win_text_control.h"

namespace platform::win {

WinTextStore::~WinTextStore() {
    clear();
}

HWND WinTextStore::control() {
    if (edit_ == nullptr) {
        edit_ = createRichEdit(parent_, instance_, false, size_);
    }
    return edit_;
}

void WinTextStore::append(std::string_view text) {
    appendInSlices(control(), controlText(text));
}

void WinTextStore::clear() {
    if (edit_ != nullptr) {
        DestroyWindow(edit_);
        edit_ = nullptr;
    }
}

std::string WinTextStore::takeText() {
    if (edit_ == nullptr) {
        return {};
    }
    std::string text = WinTextControl::textOf(edit_);
    clear();
    return text;
}

HWND WinTextStore::release() {
    const HWND taken = edit_;
    edit_ = nullptr;
    return taken;
}

} // namespace platform::win
