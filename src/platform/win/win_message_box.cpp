// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_message_box.h"

#include "platform/win/wide_text.h"

namespace platform::win {

HWND ownerWindow(HWND fallback) {
    const HWND active = GetActiveWindow();
    return active != nullptr ? active : fallback;
}

int WinMessageBox::show(const std::string& prompt, int style, const std::string& title) {
    const HWND owner = ownerWindow(fallback_ ? fallback_() : nullptr);
    const bool question = (style & 0x0F) == MsgBoxStyle::YesNo;
    int answer = 0;
    // A question is answered by Yes or No only. Windows' box takes neither Esc nor its close
    // box for one; where a system's box lets them end it, it is asked again.
    do {
        answer = MessageBoxW(owner, wideText(prompt).c_str(), wideText(title).c_str(),
                             static_cast<UINT>(style) | MB_SETFOREGROUND);
    } while (question && answer != 0 && answer != IDYES && answer != IDNO);
    // A box that could not be shown (no memory left) answers with its first button: Yes keeps
    // a document's text by saving it rather than throwing it away.
    if (answer == 0) {
        return question ? MsgBoxResult::Yes : MsgBoxResult::OK;
    }
    return answer;
}

} // namespace platform::win
