// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/clipboard.h"

namespace platform::qt {

// The desktop's clipboard, as plain text only.
class QtClipboard : public Clipboard {
public:
    std::string text() override;
    void setText(const std::string& text) override;
};

} // namespace platform::qt
