// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "platform/qt/character_styles.h"

#include <gtest/gtest.h>

using platform::qt::CharacterFormat;
using platform::qt::CharacterStyles;

namespace {

const CharacterFormat Base{false, false, false, 1500};

CharacterFormat sized(int hundredths) {
    CharacterFormat format = Base;
    format.sizeHundredths = hundredths;
    return format;
}

} // namespace

TEST(CharacterStyles, BaseFormatIsStyleZeroAndUnknownStylesFormatAsBase) {
    CharacterStyles styles(Base);
    EXPECT_EQ(styles.find(Base), CharacterStyles::BaseStyle);
    EXPECT_EQ(styles.allocate(Base), CharacterStyles::BaseStyle);
    EXPECT_EQ(styles.format(7), Base);
    EXPECT_EQ(styles.format(-1), Base);
    EXPECT_EQ(styles.format(CharacterStyles::StyleCount), Base);
    EXPECT_TRUE(styles.allocated().empty());
}

TEST(CharacterStyles, EqualFormatsShareOneStyleAndDistinctOnesGetTheirOwn) {
    CharacterStyles styles(Base);
    CharacterFormat bold = Base;
    bold.bold = true;
    const auto first = styles.allocate(bold);
    ASSERT_TRUE(first);
    EXPECT_EQ(styles.allocate(bold), first);
    EXPECT_EQ(styles.find(bold), first);
    EXPECT_EQ(styles.format(*first), bold);

    const auto larger = styles.allocate(sized(1600));
    ASSERT_TRUE(larger);
    EXPECT_NE(*larger, *first);
    EXPECT_EQ(styles.allocated().size(), 2U);
}

TEST(CharacterStyles, NeverHandsOutScintillasPredefinedStylesAndRunsOutAt247) {
    CharacterStyles styles(Base);
    int handedOut = 0;
    for (int size = 100; styles.allocate(sized(size)); ++size) {
        ++handedOut;
    }
    // 255 numbers besides the base, less the eight from 32 to 39.
    EXPECT_EQ(handedOut, 247);
    for (int style : styles.allocated()) {
        EXPECT_TRUE(style < 32 || style > 39) << style;
        EXPECT_NE(style, CharacterStyles::BaseStyle);
    }
    EXPECT_FALSE(styles.allocate(sized(99999)));
}

TEST(CharacterStyles, ReleasingUnusedStylesFreesTheirNumbersAndKeepsTheUsedOnes) {
    CharacterStyles styles(Base);
    const int kept = *styles.allocate(sized(1600));
    const int dropped = *styles.allocate(sized(1700));
    CharacterStyles::StyleSet inUse;
    inUse.set(kept);
    EXPECT_EQ(styles.releaseUnused(inUse), std::vector<int>{dropped});
    EXPECT_EQ(styles.format(dropped), Base);
    EXPECT_EQ(styles.find(sized(1600)), kept);
    EXPECT_FALSE(styles.find(sized(1700)));
    // The freed number serves the next new format.
    EXPECT_EQ(styles.allocate(sized(1800)), dropped);

    styles.release(kept);
    EXPECT_FALSE(styles.find(sized(1600)));
    EXPECT_EQ(styles.releaseAll(), std::vector<int>{dropped});
    EXPECT_TRUE(styles.allocated().empty());
}

TEST(CharacterStyles, OnlySizesAboveTheBaseCountAsSettingTheLineHeight) {
    CharacterStyles styles(Base);
    CharacterFormat boldItalic = Base;
    boldItalic.bold = boldItalic.italic = true;
    styles.allocate(boldItalic);
    styles.allocate(sized(700));
    EXPECT_FALSE(styles.anyLargerThanBase());
    const int large = *styles.allocate(sized(1501));
    EXPECT_TRUE(styles.anyLargerThanBase());
    styles.release(large);
    EXPECT_FALSE(styles.anyLargerThanBase());
}
