// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_rich_edit.h"

#include "platform/error.h"
#include "platform/win/wide_text.h"
#include "win_progress_box.h"

#include <algorithm>
#include <commctrl.h>
#include <cstring>
#include <new>

namespace platform::win {

namespace {

const wchar_t* const BaseFace = L"宋体";
const wchar_t* const CarrierClass = L"MorvaneEditNotices";
const wchar_t* const CarrierProperty = L"MorvaneEditNotices";

LRESULT CALLBACK carrierProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_COMMAND && HIWORD(w) == EN_CHANGE) {
        if (auto* sink = reinterpret_cast<ChangeSink*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
            sink->textChanged();
        }
        return 0;
    }
    return DefWindowProcW(window, message, w, l);
}

// The hidden window the control tells its notices to, and which goes when the control goes.
HWND createCarrier(HINSTANCE instance) {
    static const bool registered = [instance] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = carrierProcedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = CarrierClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    static_cast<void>(registered);
    return CreateWindowExW(0, CarrierClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                           nullptr);
}

LRESULT CALLBACK carrierKeeper(HWND window, UINT message, WPARAM w, LPARAM l, UINT_PTR id,
                               DWORD_PTR carrier) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &carrierKeeper, id);
        RemovePropW(window, CarrierProperty);
        const LRESULT result = DefSubclassProc(window, message, w, l);
        DestroyWindow(reinterpret_cast<HWND>(carrier));
        return result;
    }
    return DefSubclassProc(window, message, w, l);
}

// About a third of a second's work for the control under wine, far less on Windows.
constexpr std::size_t SliceUnits = 32768;

struct StreamSource {
    std::wstring_view text;
    std::size_t offset;
};

DWORD CALLBACK readSource(DWORD_PTR cookie, LPBYTE buffer, LONG capacity, LONG* written) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    const std::size_t bytesLeft = (source->text.size() - source->offset) * sizeof(wchar_t);
    // Whole UTF-16 units only.
    const std::size_t bytes =
        std::min<std::size_t>(bytesLeft, static_cast<std::size_t>(capacity) & ~std::size_t{1});
    std::memcpy(buffer, source->text.data() + source->offset, bytes);
    source->offset += bytes / sizeof(wchar_t);
    *written = static_cast<LONG>(bytes);
    return 0;
}

// Where a slice may end: not between CR and LF, nor inside a surrogate pair.
std::size_t sliceEnd(std::wstring_view text, std::size_t start) {
    std::size_t end = std::min(text.size(), start + SliceUnits);
    while (end < text.size() && end > start + 1 &&
           (text[end - 1] == L'\r' || (text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF))) {
        --end;
    }
    return end;
}

} // namespace

HWND createRichEdit(HWND parent, HINSTANCE instance, bool visible, SIZE size) {
    static const HMODULE library = LoadLibraryW(L"msftedit.dll");
    static_cast<void>(library);
    const HWND carrier = createCarrier(instance);
    const HWND edit =
        CreateWindowExW(0, MSFTEDIT_CLASS, L"",
                        WS_CHILD | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                            ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN,
                        0, 0, size.cx, size.cy, carrier, nullptr, instance, nullptr);
    if (edit == nullptr) {
        DestroyWindow(carrier);
        throw RuntimeError(ErrorNumber::OutOfMemory, "无法创建文本编辑框");
    }
    SetPropW(edit, CarrierProperty, carrier);
    SetWindowSubclass(edit, &carrierKeeper, 1, reinterpret_cast<DWORD_PTR>(carrier));
    SetParent(edit, parent);
    if (visible) {
        ShowWindow(edit, SW_SHOWNA);
    }
    SendMessageW(edit, EM_SETTEXTMODE, TM_RICHTEXT | TM_MULTILEVELUNDO | TM_MULTICODEPAGE, 0);
    SendMessageW(edit, EM_EXLIMITTEXT, 0, 0x7FFFFFF0);
    SendMessageW(edit, EM_SETTARGETDEVICE, 0, 1);
    const LRESULT options = SendMessageW(edit, EM_GETLANGOPTIONS, 0, 0);
    SendMessageW(edit, EM_SETLANGOPTIONS, 0, options & ~(IMF_AUTOFONT | IMF_DUALFONT));
    SendMessageW(edit, EM_AUTOURLDETECT, FALSE, 0);
    applyBaseFormat(edit);
    return edit;
}

void setChangeSink(HWND edit, ChangeSink* sink) {
    if (const auto carrier = static_cast<HWND>(GetPropW(edit, CarrierProperty))) {
        SetWindowLongPtrW(carrier, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(sink));
    }
    SendMessageW(edit, EM_SETEVENTMASK, 0, sink != nullptr ? ENM_CHANGE : 0);
}

void applyBaseFormat(HWND edit) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE |
                    CFM_WEIGHT | CFM_COLOR;
    format.dwEffects = CFE_AUTOCOLOR;
    format.yHeight = static_cast<LONG>(BasePointSize * TwipsPerPoint);
    format.wWeight = FW_NORMAL;
    format.bCharSet = GB2312_CHARSET;
    lstrcpynW(format.szFaceName, BaseFace, LF_FACESIZE);
    SendMessageW(edit, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    SendMessageW(edit, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

std::wstring controlText(std::string_view utf8) {
    const std::wstring wide = wideText(utf8);
    std::wstring result;
    result.reserve(wide.size() + wide.size() / 16);
    for (const wchar_t c : wide) {
        if (c == L'\n') {
            result += L'\r';
        }
        result += c;
    }
    return result;
}

void streamIn(HWND edit, std::wstring_view text, bool selectionOnly) {
    StreamSource source{text, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, &readSource};
    const WPARAM format = SF_TEXT | SF_UNICODE | (selectionOnly ? SFF_SELECTION : 0);
    SendMessageW(edit, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    if (stream.dwError != 0 || source.offset != text.size()) {
        throw std::bad_alloc();
    }
}

void appendInSlices(HWND edit, std::wstring_view text) {
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = sliceEnd(text, start);
        SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(-1), -1);
        streamIn(edit, text.substr(start, end - start), true);
        start = end;
        repaintWindows();
    }
}

} // namespace platform::win
