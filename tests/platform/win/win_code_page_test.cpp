// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "error_of.h"
#include "platform/error.h"
#include "platform/win/win_code_page.h"
#include "win_test_support.h"

#include <string>
#include <vector>
#include <windows.h>

namespace {

using platform::win::WinCodePage;

// "你好，世界" as a Chinese Windows writes it.
const std::string kGbkHello = "\xC4\xE3\xBA\xC3\xA3\xAC\xCA\xC0\xBD\xE7";

TEST(WinCodePage, TheSystemCodePageIsTheChineseAnsiCodePage) {
    // The tests run on a Chinese Windows, or under wine in a Chinese locale (cmake/wine-run).
    EXPECT_EQ(GetACP(), 936u);
    WinCodePage page;
    EXPECT_EQ(page.systemEncoding(), "GBK");
    EXPECT_EQ(page.encode("你好，世界", page.systemEncoding()), kGbkHello);
}

TEST(WinCodePage, ChineseTextRoundTripsThroughGbkAndUtf8) {
    WinCodePage page;
    for (const char* name : {"GBK", "CP936", "gb2312", "GB18030"}) {
        EXPECT_EQ(page.encode("你好，世界\r\n", name), kGbkHello + "\r\n") << name;
        EXPECT_EQ(page.decode(kGbkHello + "\r\n", name), "你好，世界\r\n") << name;
    }
    EXPECT_EQ(page.encode("你好😀", "UTF-8"), "你好😀");
    EXPECT_EQ(page.decode("你好😀", "utf-8"), "你好😀");
    EXPECT_EQ(page.encode("café", "ISO-8859-1"), "caf\xE9");
    EXPECT_EQ(page.decode("caf\xE9", "windows-1252"), "café");
    EXPECT_EQ(page.encode("", "GBK"), "");
    EXPECT_EQ(page.decode("", "GBK"), "");
}

TEST(WinCodePage, NothingIsSubstitutedOrSkipped) {
    WinCodePage page;
    const std::vector<std::pair<std::string, std::string>> unstorable = {
        {"한글", "GBK"},
        {"😀", "GBK"},
        {"€", "ASCII"},
        {"中", "ISO-8859-1"},
        // No best fit: ā has no place in Western European, though "a" would look close.
        {"ā", "windows-1252"}};
    for (const auto& [text, encoding] : unstorable) {
        EXPECT_EQ(errorOf([&] { page.encode(text, encoding); }).number(),
                  platform::ErrorNumber::ConversionFailed)
            << text << " in " << encoding;
    }
    // A lead byte without its trail, a trail the code page lacks, text that is not UTF-8.
    const std::vector<std::pair<std::string, std::string>> unreadable = {
        {"\xC4\xE3\xBA", "GBK"}, {"\xC4\x7F", "GBK"}, {"\xC4\xE3", "UTF-8"}};
    for (const auto& [bytes, encoding] : unreadable) {
        EXPECT_EQ(errorOf([&] { page.decode(bytes, encoding); }).number(),
                  platform::ErrorNumber::ConversionFailed)
            << encoding;
    }
    EXPECT_EQ(errorOf([&] { page.encode("\xC4\xE3", "GBK"); }).number(),
              platform::ErrorNumber::ConversionFailed);
    const platform::RuntimeError unknown = errorOf([&] { page.encode("a", "NO-SUCH-ENCODING"); });
    EXPECT_EQ(unknown.description(), "系统不支持NO-SUCH-ENCODING编码");
}

TEST(WinCodePage, EncodingNamesAndCodePages) {
    EXPECT_EQ(WinCodePage::codePageOf("UTF-8"), static_cast<unsigned>(CP_UTF8));
    EXPECT_EQ(WinCodePage::codePageOf("gbk"), 936u);
    EXPECT_EQ(WinCodePage::codePageOf("CP1252"), 1252u);
    EXPECT_EQ(WinCodePage::codePageOf("windows-1251"), 1251u);
    EXPECT_EQ(WinCodePage::codePageOf("CP"), 0u);
    EXPECT_EQ(WinCodePage::codePageOf("CP12x"), 0u);
    EXPECT_EQ(WinCodePage::codePageOf("KOI8-R"), 0u);
    // GB18030 proper where the system has it, else the GBK it extends.
    EXPECT_EQ(WinCodePage::codePageOf("GB18030"), IsValidCodePage(54936) ? 54936u : 936u);
    EXPECT_EQ(WinCodePage::encodingOf(CP_UTF8), "UTF-8");
    EXPECT_EQ(WinCodePage::encodingOf(936), "GBK");
    EXPECT_EQ(WinCodePage::encodingOf(1252), "CP1252");
}

} // namespace
