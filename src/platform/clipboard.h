// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <string>

namespace platform {

// The system clipboard, plain text only; lines separated by "\n".
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // "" when the clipboard holds no text.
    virtual std::string text() = 0;
    virtual void setText(const std::string& text) = 0;
};

} // namespace platform
