// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_code_page.h"

#include "platform/error.h"
#include "wide_text.h"

#include <climits>
#include <windows.h>

namespace platform::win {

namespace {

constexpr unsigned Gbk = 936;
constexpr unsigned Gb18030 = 54936;

// The number after prefix, or 0 when name is not prefix and digits.
unsigned numberAfter(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || name.size() == prefix.size() ||
        name.size() > prefix.size() + 5) {
        return 0;
    }
    unsigned number = 0;
    for (const char c : name.substr(prefix.size())) {
        if (c < '0' || c > '9') {
            return 0;
        }
        number = number * 10 + static_cast<unsigned>(c - '0');
    }
    return number;
}

// The Unicode encodings and GB18030 allow no flags but the strict one, and no default
// character.
bool takesOnlyStrictFlags(unsigned codePage) {
    return codePage == CP_UTF8 || codePage == Gb18030 || codePage == CP_UTF7 ||
           (codePage >= 50000 && codePage <= 59999);
}

unsigned supportedCodePage(const std::string& encoding) {
    const unsigned codePage = WinCodePage::codePageOf(encoding);
    if (codePage == 0 || !IsValidCodePage(codePage)) {
        throw ConversionFailure::unsupported(encoding);
    }
    return codePage;
}

int lengthOf(std::size_t size, const std::string& encoding) {
    if (size > static_cast<std::size_t>(INT_MAX)) {
        throw RuntimeError(ErrorNumber::ConversionFailed,
                           "文本太长，无法按" + encoding + "编码转换");
    }
    return static_cast<int>(size);
}

} // namespace

unsigned WinCodePage::codePageOf(std::string_view encoding) {
    const std::string name = encodingNameKey(encoding);
    if (name == "UTF-8" || name == "UTF8") {
        return CP_UTF8;
    }
    if (name == "GBK" || name == "GB2312" || name == "EUC-CN") {
        return Gbk;
    }
    if (name == "GB18030") {
        return IsValidCodePage(Gb18030) ? Gb18030 : Gbk;
    }
    if (name == "ASCII" || name == "US-ASCII") {
        return 20127;
    }
    if (name == "ISO-8859-1" || name == "LATIN1") {
        return 28591;
    }
    if (const unsigned number = numberAfter(name, "CP")) {
        return number;
    }
    return numberAfter(name, "WINDOWS-");
}

std::string WinCodePage::encodingOf(unsigned codePage) {
    if (codePage == CP_UTF8) {
        return "UTF-8";
    }
    if (codePage == Gbk) {
        return "GBK";
    }
    return "CP" + std::to_string(codePage);
}

std::string WinCodePage::systemEncoding() {
    return encodingOf(GetACP());
}

std::string WinCodePage::encode(std::string_view utf8, const std::string& encoding) {
    const unsigned codePage = supportedCodePage(encoding);
    const std::wstring wide = wideText(utf8);
    if (wide.empty()) {
        return {};
    }
    const int size = lengthOf(wide.size(), encoding);
    const bool strictOnly = takesOnlyStrictFlags(codePage);
    const DWORD flags = strictOnly ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const substituted = strictOnly ? nullptr : &usedDefault;
    const int needed =
        WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, substituted);
    if (needed == 0 || usedDefault) {
        throw ConversionFailure::unstorable(encoding);
    }
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), size, bytes.data(), needed, nullptr, nullptr);
    return bytes;
}

std::string WinCodePage::decode(std::string_view bytes, const std::string& encoding) {
    const unsigned codePage = supportedCodePage(encoding);
    if (bytes.empty()) {
        return {};
    }
    const int size = lengthOf(bytes.size(), encoding);
    const int needed =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (needed == 0) {
        throw ConversionFailure::unreadable(encoding, false);
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), needed);
    return utf8Text(wide);
}

} // namespace platform::win
