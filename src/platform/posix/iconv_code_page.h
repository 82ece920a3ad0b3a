// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/code_page.h"
#include "platform/error.h"

#include <string>
#include <string_view>

namespace platform::posix {

// Conversions through iconv, which reports every invalid, unrepresentable or truncated
// sequence; Qt 6.4's QStringDecoder silently drops a truncated multi-byte tail.
class IconvCodePage : public CodePage {
public:
    // Raised for bytes the encoding does not read, text it cannot hold, or an encoding the
    // system does not know.
    static constexpr int ConversionFailed = ErrorNumber::ConversionFailed;

    // The encoding documents are written in for a locale's codeset: a plain ASCII locale
    // counts as UTF-8, and the GBK family as GB18030, the superset that holds every character.
    static std::string encodingForCodeset(std::string_view codeset);

    std::string systemEncoding() override;
    std::string encode(std::string_view utf8, const std::string& encoding) override;
    std::string decode(std::string_view bytes, const std::string& encoding) override;
};

} // namespace platform::posix
