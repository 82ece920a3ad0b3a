// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "platform/error.h"
#include "platform/posix/iconv_code_page.h"

#include <clocale>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using platform::posix::IconvCodePage;

bool raises(const std::function<void()>& action) {
    try {
        action();
    } catch (const platform::RuntimeError& error) {
        EXPECT_EQ(error.number(), IconvCodePage::ConversionFailed);
        return true;
    }
    return false;
}

TEST(IconvCodePageTest, SystemEncodingFollowsTheLocale) {
    IconvCodePage page;
    const std::string saved = std::setlocale(LC_CTYPE, nullptr);
    ASSERT_NE(std::setlocale(LC_CTYPE, "C"), nullptr);
    EXPECT_EQ(page.systemEncoding(), "UTF-8");
    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    EXPECT_EQ(page.systemEncoding(), "UTF-8");
    std::setlocale(LC_CTYPE, saved.c_str());

    // Chinese locales name the GBK family; GB18030 reads all of it and holds every character.
    for (const char* codeset : {"GBK", "gb2312", "EUC-CN"}) {
        EXPECT_EQ(IconvCodePage::encodingForCodeset(codeset), "GB18030") << codeset;
    }
    EXPECT_EQ(IconvCodePage::encodingForCodeset("ANSI_X3.4-1968"), "UTF-8");
    EXPECT_EQ(IconvCodePage::encodingForCodeset("BIG5"), "BIG5");
}

TEST(IconvCodePageTest, DecodingReportsInvalidAndTruncatedSequences) {
    IconvCodePage page;
    EXPECT_EQ(page.decode("\xC4\xE3\x94\x39\xFC\x36", "GB18030"), "你😀");
    const std::vector<std::pair<std::string, std::string>> broken = {
        {"\xFF", "GB18030"},
        {"\xC4\xE3\xC4", "GB18030"},         // two-byte character cut off
        {"\xC4\xE3\x94\x39\xFC", "GB18030"}, // four-byte character cut off
        {"ab\xE4\xB8", "UTF-8"},
    };
    for (const auto& [bytes, encoding] : broken) {
        EXPECT_TRUE(raises([&] { page.decode(bytes, encoding); }))
            << testing::PrintToString(bytes) << " " << encoding;
    }
}

TEST(IconvCodePageTest, EncodingReportsWhatTheTargetCannotHold) {
    IconvCodePage page;
    EXPECT_EQ(page.encode("café", "ISO-8859-1"), "caf\xE9");
    EXPECT_TRUE(raises([&] { page.encode("中", "ISO-8859-1"); }));
    EXPECT_TRUE(raises([&] { page.encode("naïve", "ASCII"); }));
    EXPECT_TRUE(raises([&] { page.encode("ab\xFF", "GB18030"); })); // not UTF-8 to begin with
    EXPECT_TRUE(raises([&] { page.encode("a", "NO-SUCH-ENCODING"); }));
}

TEST(IconvCodePageTest, LongTextsRoundTripWhenTheyGrowInConversion) {
    IconvCodePage page;
    // Each "©" grows from two bytes to four, past any first guess of the output's size.
    std::string text;
    for (int i = 0; i < 100000; ++i) {
        text += "©中a";
    }
    const std::string bytes = page.encode(text, "GB18030");
    EXPECT_EQ(bytes.size(), 100000u * 7);
    EXPECT_EQ(page.decode(bytes, "GB18030"), text);
}

} // namespace
