// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/text_store.h"
#include "win_api.h"

namespace platform::win {

// A document's text gathered in a rich-edit control of its own, hidden, which the document
// window's edit control is then swapped for: the text goes into a control piece by piece while
// the file is read, so the window that shows it takes it at once.
class WinTextStore : public TextStore {
public:
    // The control is made at the size the document window's will have, so that taking it over
    // does not make it lay the whole text out again.
    WinTextStore(HWND parent, HINSTANCE instance, SIZE size)
        : parent_(parent), instance_(instance), size_(size) {}
    ~WinTextStore() override;
    WinTextStore(const WinTextStore&) = delete;
    WinTextStore& operator=(const WinTextStore&) = delete;

    // The control has no room to reserve; memory runs out as the text comes in.
    void reserve(std::size_t) override {}
    void append(std::string_view text) override;
    void clear() override;
    std::string takeText() override;

    // The control holding the text, hidden, for a document window to take; the store goes on
    // with a new, empty one. Null when nothing was gathered.
    HWND release();

private:
    HWND control();

    HWND parent_;
    HINSTANCE instance_;
    SIZE size_;
    HWND edit_ = nullptr;
};

} // namespace platform::win
