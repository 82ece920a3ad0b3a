// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/code_page.h"

#include <string>
#include <string_view>

namespace platform::win {

// Conversions through MultiByteToWideChar and WideCharToMultiByte. Invalid bytes and characters
// the code page cannot hold raise RuntimeError ErrorNumber::ConversionFailed; nothing is
// replaced by a default character or a best fit.
class WinCodePage : public CodePage {
public:
    // The Windows code page an encoding name stands for, 0 when there is none. GB18030 is code
    // page 54936 where the system has it and otherwise GBK (936), whose bytes GB18030 reads
    // alike; "CP" or "windows-" followed by a number names that code page.
    static unsigned codePageOf(std::string_view encoding);
    // The name systemEncoding gives for a code page: UTF-8, GBK for 936, otherwise "CP" and
    // the number.
    static std::string encodingOf(unsigned codePage);

    // The ANSI code page (GetACP): 936 on a Chinese Windows.
    std::string systemEncoding() override;
    std::string encode(std::string_view utf8, const std::string& encoding) override;
    std::string decode(std::string_view bytes, const std::string& encoding) override;
};

} // namespace platform::win
