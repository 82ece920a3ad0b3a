// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "text_store.h"

#include <optional>
#include <string>

namespace platform {

// Where the caret stands: the line from 1, the column (characters since the line's start)
// from 0. Lines end only at line breaks.
struct CaretPosition {
    long long line = 1;
    long long column = 0;
};

// What the edit control tells its window.
class TextControlEvents {
public:
    virtual ~TextControlEvents() = default;
    // The text changed: typing, or any program action (setting the text or the selection's
    // text). Formatting alone is no change of the text.
    virtual void txtEdit_Change() = 0;
    virtual void txtEdit_Click() = 0;
    // A key was released, after the control applied it.
    virtual void txtEdit_KeyUp(int keyCode, int shift) = 0;
    // The keyboard focus went from the text to another control or document window.
    virtual void txtEdit_LostFocus() = 0;
};

// A rich-text edit control holding one document. Texts are UTF-8 with lines separated by
// "\n"; formatting lives only in the control.
class TextControl {
public:
    virtual ~TextControl() = default;
    virtual void setEvents(TextControlEvents* events) = 0;

    virtual std::string text() = 0;
    // Replaces the whole text, in the control's base formatting.
    virtual void setText(const std::string& text) = 0;
    // Replaces the whole text by the one gathered in the store, which is left empty; a store
    // of the control's own kind hands its storage over without copying.
    virtual void adoptText(TextStore& store) = 0;

    virtual std::string selText() = 0;
    // Replaces the selection, or inserts at the caret when nothing is selected; plain text.
    virtual void setSelText(const std::string& text) = 0;
    virtual long long selLength() = 0;
    // The position of the start of the selection (the caret when nothing is selected).
    virtual CaretPosition selStartPosition() = 0;

    // Selection formatting: nothing means the selected characters differ. Writing a value the
    // control refuses raises RuntimeError and changes nothing.
    virtual std::optional<bool> selBold() = 0;
    virtual void setSelBold(bool on) = 0;
    virtual std::optional<bool> selItalic() = 0;
    virtual void setSelItalic(bool on) = 0;
    virtual std::optional<bool> selUnderline() = 0;
    virtual void setSelUnderline(bool on) = 0;
    virtual std::optional<double> selFontSize() = 0;
    virtual void setSelFontSize(double points) = 0;
    // The base font size of the whole control, in points.
    virtual double fontSize() = 0;

    // Whether typing replaces the character after the caret (the Insert key toggles it).
    virtual bool overwriteMode() = 0;
};

} // namespace platform
