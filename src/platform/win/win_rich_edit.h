// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "win_api.h"

#include <richedit.h>
#include <string>
#include <string_view>

namespace platform::win {

// The system's rich-edit control (RICHEDIT50W) as the documents use it: as long as memory
// allows, lines that never wrap, 宋体 15 points whatever script is typed, no link detection.
// Texts go in as plain text, never read as rich text even when they look like it.
// Told when the text of a control changed.
class ChangeSink {
public:
    virtual ~ChangeSink() = default;
    virtual void textChanged() = 0;
};

// The control is made at size: it lays its whole text out again at each change of size. Its
// notices reach the sink set for it, whichever window it is moved into: the control tells them
// to the window it was made in, a hidden one that goes with it and hands them on.
HWND createRichEdit(HWND parent, HINSTANCE instance, bool visible, SIZE size = {0, 0});
// Where the control's change notices go from now on; null for nowhere.
void setChangeSink(HWND edit, ChangeSink* sink);
void applyBaseFormat(HWND edit);

// "\n" line breaks become the CR LF the control reads.
std::wstring controlText(std::string_view utf8);
// Puts text in place of the selection, or of the whole text. Raises std::bad_alloc when the
// control could not take it all.
void streamIn(HWND edit, std::wstring_view text, bool selectionOnly);
// Adds text at the end a slice at a time; between slices the program's windows are repainted
// and what other threads send is answered, so a long text does not stop the program.
void appendInSlices(HWND edit, std::wstring_view text);

inline constexpr double BasePointSize = 15;
inline constexpr int TwipsPerPoint = 20;

} // namespace platform::win
