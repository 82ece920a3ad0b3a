// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_text_control.h"

#include "platform/error.h"
#include "platform/win/wide_text.h"
#include "win_rich_edit.h"
#include "win_text_store.h"

#include <algorithm>
#include <cmath>
#include <commctrl.h>
#include <cstring>
#include <new>
#include <richedit.h>

namespace platform::win {

namespace {

constexpr UINT_PTR SubclassId = 1;

std::string programText(std::wstring text) {
    for (wchar_t& c : text) {
        if (c == L'\r') {
            c = L'\n';
        }
    }
    return utf8Text(text);
}

[[noreturn]] void refused() {
    throw RuntimeError(ErrorNumber::InvalidPropertyValue, InvalidPropertyValueText);
}

int shiftState() {
    int shift = 0;
    shift |= GetKeyState(VK_SHIFT) < 0 ? 1 : 0;
    shift |= GetKeyState(VK_CONTROL) < 0 ? 2 : 0;
    shift |= GetKeyState(VK_MENU) < 0 ? 4 : 0;
    return shift;
}

} // namespace

WinTextControl::WinTextControl(HWND parent, HINSTANCE instance)
    : edit_(createRichEdit(parent, instance, true)) {
    setChangeSink(edit_, this);
    SetWindowSubclass(edit_, &subclass, SubclassId, reinterpret_cast<DWORD_PTR>(this));
}

WinTextControl::~WinTextControl() {
    events_ = nullptr;
    if (edit_ != nullptr) {
        setChangeSink(edit_, nullptr);
        RemoveWindowSubclass(edit_, &subclass, SubclassId);
    }
}

// --- Text ---------------------------------------------------------------------------------

std::string WinTextControl::textOf(HWND edit) {
    GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
    const LRESULT units =
        SendMessageW(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(units, 0)) + 1, L'\0');
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    get.flags = GT_DEFAULT;
    get.codepage = 1200;
    const LRESULT copied = SendMessageW(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    return programText(std::move(text));
}

std::string WinTextControl::text() {
    return textOf(edit_);
}

void WinTextControl::put(const std::wstring& text, bool selectionOnly) {
    ++quiet_;
    try {
        streamIn(edit_, text, selectionOnly);
    } catch (...) {
        --quiet_;
        throw;
    }
    --quiet_;
}

void WinTextControl::textReplaced() {
    SendMessageW(edit_, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(edit_, EM_SETSEL, 0, 0);
    SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
    // Setting the text is a change even when it is the same text, or empty again.
    programChanged();
}

void WinTextControl::setText(const std::string& text) {
    put(controlText(text), false);
    // What the text held before may have been formatted; the new one is not.
    ++quiet_;
    applyBaseFormat(edit_);
    --quiet_;
    textReplaced();
}

void WinTextControl::takeOver(HWND control) {
    const HWND parent = GetParent(edit_);
    RECT bounds{};
    GetWindowRect(edit_, &bounds);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
    const bool focused = GetFocus() == edit_;
    const HWND old = edit_;
    RemoveWindowSubclass(old, &subclass, SubclassId);
    setChangeSink(old, nullptr);
    edit_ = control;
    SetParent(control, parent);
    SetWindowPos(control, old, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    setChangeSink(control, this);
    SetWindowSubclass(control, &subclass, SubclassId, reinterpret_cast<DWORD_PTR>(this));
    DestroyWindow(old);
    if (focused) {
        SetFocus(control);
    }
}

void WinTextControl::adoptText(TextStore& store) {
    auto* own = dynamic_cast<WinTextStore*>(&store);
    const HWND gathered = own != nullptr ? own->release() : nullptr;
    if (gathered == nullptr) {
        setText(store.takeText());
        return;
    }
    takeOver(gathered);
    textReplaced();
}

std::string WinTextControl::selText() {
    CHARRANGE range{};
    SendMessageW(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    if (range.cpMax <= range.cpMin) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(range.cpMax - range.cpMin) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(edit_, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    return programText(std::move(text));
}

void WinTextControl::setSelText(const std::string& text) {
    const std::wstring wide = controlText(text);
    CHARRANGE range{};
    SendMessageW(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    if (range.cpMin == range.cpMax && wide.empty()) {
        return;
    }
    put(wide, true);
    programChanged();
}

long long WinTextControl::selLength() {
    CHARRANGE range{};
    SendMessageW(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range.cpMax - range.cpMin;
}

CaretPosition WinTextControl::selStartPosition() {
    CHARRANGE range{};
    SendMessageW(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    const LRESULT line = SendMessageW(edit_, EM_EXLINEFROMCHAR, 0, range.cpMin);
    const LRESULT lineStart = SendMessageW(edit_, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
    return {line + 1, range.cpMin - lineStart};
}

// --- Change notices -------------------------------------------------------------------------

void WinTextControl::textChanged() {
    if (quiet_ == 0 && events_ != nullptr) {
        events_->txtEdit_Change();
    }
}

void WinTextControl::programChanged() {
    if (events_ != nullptr) {
        events_->txtEdit_Change();
    }
}

// --- Formatting ---------------------------------------------------------------------------

CHARFORMAT2W WinTextControl::charFormat(WPARAM range) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(edit_, EM_GETCHARFORMAT, range, reinterpret_cast<LPARAM>(&format));
    return format;
}

std::optional<bool> WinTextControl::selEffect(DWORD mask, DWORD effect) {
    const CHARFORMAT2W format = charFormat(SCF_SELECTION);
    if ((format.dwMask & mask) == 0) {
        return std::nullopt;
    }
    return (format.dwEffects & effect) != 0;
}

void WinTextControl::setSelFormat(CHARFORMAT2W& format) {
    // Formatting alone is no change of the text.
    ++quiet_;
    const LRESULT done =
        SendMessageW(edit_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    --quiet_;
    if (done == 0) {
        refused();
    }
}

void WinTextControl::setSelEffect(DWORD mask, DWORD effect, bool on) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = mask;
    format.dwEffects = on ? effect : 0;
    setSelFormat(format);
}

std::optional<bool> WinTextControl::selBold() {
    return selEffect(CFM_BOLD, CFE_BOLD);
}
void WinTextControl::setSelBold(bool on) {
    setSelEffect(CFM_BOLD, CFE_BOLD, on);
}
std::optional<bool> WinTextControl::selItalic() {
    return selEffect(CFM_ITALIC, CFE_ITALIC);
}
void WinTextControl::setSelItalic(bool on) {
    setSelEffect(CFM_ITALIC, CFE_ITALIC, on);
}
std::optional<bool> WinTextControl::selUnderline() {
    return selEffect(CFM_UNDERLINE, CFE_UNDERLINE);
}
void WinTextControl::setSelUnderline(bool on) {
    setSelEffect(CFM_UNDERLINE, CFE_UNDERLINE, on);
}

std::optional<double> WinTextControl::selFontSize() {
    const CHARFORMAT2W format = charFormat(SCF_SELECTION);
    if ((format.dwMask & CFM_SIZE) == 0) {
        return std::nullopt;
    }
    return static_cast<double>(format.yHeight) / TwipsPerPoint;
}

void WinTextControl::setSelFontSize(double points) {
    if (!std::isfinite(points) || points < SmallestPointSize || points > LargestPointSize) {
        refused();
    }
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_SIZE;
    format.yHeight = static_cast<LONG>(std::lround(points * TwipsPerPoint));
    setSelFormat(format);
}

double WinTextControl::fontSize() {
    return static_cast<double>(charFormat(SCF_DEFAULT).yHeight) / TwipsPerPoint;
}

// --- Events ---------------------------------------------------------------------------------

LRESULT CALLBACK WinTextControl::subclass(HWND window, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                          DWORD_PTR self) {
    auto* control = reinterpret_cast<WinTextControl*>(self);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &subclass, SubclassId);
        control->edit_ = nullptr;
        return DefSubclassProc(window, message, w, l);
    }
    return control->handleMessage(message, w, l);
}

LRESULT WinTextControl::handleMessage(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_KEYDOWN: {
        const int shift = shiftState();
        // Ctrl+V and Shift+Insert paste as WM_PASTE does, never through the control's own.
        if ((w == 'V' && shift == 2) || (w == VK_INSERT && shift == 1)) {
            SendMessageW(edit_, WM_PASTE, 0, 0);
            return 0;
        }
        const bool firstPress = (l & 0x40000000) == 0;
        if (w == VK_INSERT && shift == 0 && firstPress) {
            overwrite_ = !overwrite_;
        }
        break;
    }
    case WM_CHAR:
        // The character Ctrl+V makes; the paste is done.
        if (w == 0x16) {
            return 0;
        }
        break;
    case WM_KEYUP: {
        const LRESULT result = DefSubclassProc(edit_, message, w, l);
        if (events_ != nullptr) {
            events_->txtEdit_KeyUp(static_cast<int>(w), shiftState());
        }
        return result;
    }
    case WM_LBUTTONUP: {
        const LRESULT result = DefSubclassProc(edit_, message, w, l);
        if (events_ != nullptr) {
            events_->txtEdit_Click();
        }
        return result;
    }
    case WM_KILLFOCUS: {
        const LRESULT result = DefSubclassProc(edit_, message, w, l);
        // Only a move to another control or document of this window counts: a box, a dialog
        // or another program taking the keyboard leaves the text this window's focus.
        const auto next = reinterpret_cast<HWND>(w);
        if (events_ != nullptr && next != nullptr &&
            GetAncestor(next, GA_ROOT) == GetAncestor(edit_, GA_ROOT)) {
            events_->txtEdit_LostFocus();
        }
        return result;
    }
    case WM_PASTE:
        // Only plain text comes in from the clipboard, never formatting.
        return SendMessageW(edit_, EM_PASTESPECIAL, CF_UNICODETEXT, 0);
    default:
        break;
    }
    return DefSubclassProc(edit_, message, w, l);
}

} // namespace platform::win
