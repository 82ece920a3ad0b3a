// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/text_control.h"
#include "win_api.h"
#include "win_rich_edit.h"

#include <optional>
#include <richedit.h>
#include <string>

namespace platform::win {

// The document's edit control, the system's rich-edit control (RICHEDIT50W): it sets bold,
// italic, underline and size on the selection itself. Texts go in and out as plain text,
// never as rich text, also when they look like it; lines never wrap, so the control's lines
// are the text's. Positions and lengths count UTF-16 code units, a line break one of them.
class WinTextControl : public TextControl, private ChangeSink {
public:
    // The sizes the control accepts, in points; others raise InvalidPropertyValue.
    static constexpr double SmallestPointSize = 1;
    static constexpr double LargestPointSize = 1638;

    WinTextControl(HWND parent, HINSTANCE instance);
    ~WinTextControl() override;
    WinTextControl(const WinTextControl&) = delete;
    WinTextControl& operator=(const WinTextControl&) = delete;

    HWND handle() const { return edit_; }
    // The whole text of a rich-edit control, "\n" ending its lines.
    static std::string textOf(HWND edit);

    void setEvents(TextControlEvents* events) override { events_ = events; }

    std::string text() override;
    void setText(const std::string& text) override;
    void adoptText(TextStore& store) override;
    std::string selText() override;
    void setSelText(const std::string& text) override;
    long long selLength() override;
    CaretPosition selStartPosition() override;

    std::optional<bool> selBold() override;
    void setSelBold(bool on) override;
    std::optional<bool> selItalic() override;
    void setSelItalic(bool on) override;
    std::optional<bool> selUnderline() override;
    void setSelUnderline(bool on) override;
    std::optional<double> selFontSize() override;
    void setSelFontSize(double points) override;
    double fontSize() override;

    bool overwriteMode() override { return overwrite_; }

private:
    // The control said its text changed.
    void textChanged() override;
    static LRESULT CALLBACK subclass(HWND window, UINT message, WPARAM w, LPARAM l, UINT_PTR id,
                                     DWORD_PTR self);
    LRESULT handleMessage(UINT message, WPARAM w, LPARAM l);
    // Puts plain text in place of the selection, or of the whole text, as a program action.
    void put(const std::wstring& text, bool selectionOnly);
    // The window shows this control instead of its own from now on.
    void takeOver(HWND control);
    // After the whole text was replaced: no history, the caret at the start.
    void textReplaced();
    // The character format of the selection (SCF_SELECTION) or of new text (SCF_DEFAULT).
    CHARFORMAT2W charFormat(WPARAM range);
    std::optional<bool> selEffect(DWORD mask, DWORD effect);
    void setSelEffect(DWORD mask, DWORD effect, bool on);
    void setSelFormat(CHARFORMAT2W& format);
    // Tells the change once a program action is over, whatever the control reported.
    void programChanged();

    HWND edit_;
    TextControlEvents* events_ = nullptr;
    // While the program changes the text or its formatting, the control's own reports wait.
    int quiet_ = 0;
    bool overwrite_ = false;
};

} // namespace platform::win
