// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "wide_text.h"

#include "platform/error.h"

#include <climits>
#include <windows.h>

namespace platform::win {

namespace {

int lengthOf(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) {
        throw RuntimeError(ErrorNumber::ConversionFailed, "文本太长，无法转换");
    }
    return static_cast<int>(size);
}

} // namespace

std::wstring wideText(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size = lengthOf(utf8.size());
    const int needed =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (needed == 0) {
        throw RuntimeError(ErrorNumber::ConversionFailed, "文本不是有效的UTF-8");
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), needed);
    return wide;
}

std::string utf8Text(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = lengthOf(wide.size());
    const int needed = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), size,
                                           nullptr, 0, nullptr, nullptr);
    if (needed == 0) {
        throw RuntimeError(ErrorNumber::ConversionFailed, "文本中有不成对的UTF-16代理项");
    }
    std::string utf8(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), size, utf8.data(), needed,
                        nullptr, nullptr);
    return utf8;
}

} // namespace platform::win
