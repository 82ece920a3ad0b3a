// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <string>

namespace platform {

// Button sets, icons and results, with the values callers and stored habits know them by.
namespace MsgBoxStyle {
inline constexpr int OKOnly = 0;
inline constexpr int YesNo = 4;
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
// The second button (No) is the default, for a question whose Yes destroys something.
inline constexpr int DefaultButton2 = 256;
} // namespace MsgBoxStyle

namespace MsgBoxResult {
inline constexpr int OK = 1;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace MsgBoxResult

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Shows a modal box and returns the button pressed.
    virtual int show(const std::string& prompt, int style, const std::string& title) = 0;
};

} // namespace platform
