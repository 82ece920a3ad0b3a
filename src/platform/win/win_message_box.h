// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/message_box.h"
#include "win_api.h"

#include <functional>

namespace platform::win {

// The system's message box, whose style and result numbers are the ones the program uses. A
// Yes/No question has no Esc and no close box: only Yes or No answers it.
class WinMessageBox : public MessageBox {
public:
    // Boxes stand over the window that has the user's attention, else over fallback().
    explicit WinMessageBox(std::function<HWND()> fallback) : fallback_(std::move(fallback)) {}

    int show(const std::string& prompt, int style, const std::string& title) override;

private:
    std::function<HWND()> fallback_;
};

// The window a box or dialog of this program should stand over: the active one of this
// thread, else fallback.
HWND ownerWindow(HWND fallback);

} // namespace platform::win
