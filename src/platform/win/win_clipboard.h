// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/clipboard.h"

namespace platform::win {

// The clipboard's Unicode text; lines end in CR LF there and in "\n" for the program.
class WinClipboard : public Clipboard {
public:
    std::string text() override;
    void setText(const std::string& text) override;
};

} // namespace platform::win
