// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "error.h"

#include <string>
#include <string_view>

namespace platform {

// What a conversion that fails raises, on every system; detail is the system's own word for
// the cause, where it has one.
namespace ConversionFailure {
inline RuntimeError withDetail(std::string description, const std::string& detail) {
    if (!detail.empty()) {
        description += "（" + detail + "）";
    }
    return RuntimeError(ErrorNumber::ConversionFailed, std::move(description));
}
inline RuntimeError unsupported(const std::string& encoding, const std::string& detail = {}) {
    return withDetail("系统不支持" + encoding + "编码", detail);
}
inline RuntimeError unstorable(const std::string& encoding, const std::string& detail = {}) {
    return withDetail("文本中有无法用" + encoding + "编码保存的字符", detail);
}
// Bytes the encoding does not read; cutShort for a multi-byte sequence the end cuts off.
inline RuntimeError unreadable(const std::string& encoding, bool cutShort,
                               const std::string& detail = {}) {
    return withDetail("按" + encoding + "编码读取失败：" +
                          (cutShort ? "结尾的多字节序列不完整" : "其中有无效的字节序列"),
                      detail);
}
} // namespace ConversionFailure

// An encoding's name in ASCII capitals, as the systems' names are compared (whatever the
// locale says of other letters).
inline std::string encodingNameKey(std::string_view name) {
    std::string result(name);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

// Conversion between the program's UTF-8 texts and the bytes of a named encoding.
// Both directions raise RuntimeError instead of substituting characters.
class CodePage {
public:
    virtual ~CodePage() = default;
    // The encoding files are written in when nothing else decides: the system's code page.
    virtual std::string systemEncoding() = 0;
    virtual std::string encode(std::string_view utf8, const std::string& encoding) = 0;
    virtual std::string decode(std::string_view bytes, const std::string& encoding) = 0;
};

// Whether the encoding holds every character of text.
inline bool encodes(CodePage& codePage, std::string_view text, const std::string& encoding) {
    try {
        codePage.encode(text, encoding);
        return true;
    } catch (const RuntimeError&) {
        return false;
    }
}

} // namespace platform
