// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// Bold, italic, underline and point size of the selection.

#include "platform/error.h"
#include "text_control_fixture.h"

#include <cmath>
#include <limits>

#include <QFontDatabase>
#include <QFontMetricsF>

using platform::qt::QtTextControl;

namespace {

// The three switches share one rule; each case names one of them.
struct Toggle {
    const char* name;
    std::optional<bool> (QtTextControl::*read)();
    void (QtTextControl::*write)(bool);
};

const Toggle Toggles[] = {
    {"bold", &QtTextControl::selBold, &QtTextControl::setSelBold},
    {"italic", &QtTextControl::selItalic, &QtTextControl::setSelItalic},
    {"underline", &QtTextControl::selUnderline, &QtTextControl::setSelUnderline},
};

} // namespace

TEST_F(TextControlTest, SwitchesReportUniformAndMixedSelections) {
    for (const Toggle& toggle : Toggles) {
        SCOPED_TRACE(toggle.name);
        control.setText("abcdef\nghi");
        selectText("bcd");
        EXPECT_EQ((control.*toggle.read)(), false);
        (control.*toggle.write)(true);
        EXPECT_EQ((control.*toggle.read)(), true);
        selectText("abc");
        EXPECT_EQ((control.*toggle.read)(), std::nullopt);
        selectText("d");
        EXPECT_EQ((control.*toggle.read)(), true);
        selectText("ef");
        EXPECT_EQ((control.*toggle.read)(), false);
        selectText("bcd");
        (control.*toggle.write)(false);
        control.send(QsciScintillaBase::SCI_SELECTALL);
        EXPECT_EQ((control.*toggle.read)(), false);
    }
}

TEST_F(TextControlTest, SwitchesChangeOnlyTheirOwnAttribute) {
    control.setText("abcdef");
    selectText("abc");
    control.setSelFontSize(20);
    selectText("cde");
    control.setSelItalic(true);
    control.setSelBold(true);
    selectText("c");
    EXPECT_EQ(control.selFontSize(), 20);
    EXPECT_EQ(control.selItalic(), true);
    selectText("de");
    EXPECT_EQ(control.selFontSize(), 15);
    EXPECT_EQ(control.selUnderline(), false);
    // Bold over characters of two sizes keeps each size.
    selectText("cde");
    EXPECT_EQ(control.selBold(), true);
    EXPECT_EQ(control.selFontSize(), std::nullopt);
}

TEST_F(TextControlTest, SizesStepUpAndDownPastEightPoints) {
    control.setText("Hello 世界");
    selectText("世界");
    EXPECT_EQ(control.selFontSize(), 15);
    control.setSelFontSize(*control.selFontSize() + 1);
    EXPECT_EQ(control.selFontSize(), 16);
    for (int step = 0; step < 9; ++step) {
        control.setSelFontSize(*control.selFontSize() - 1);
    }
    EXPECT_EQ(control.selFontSize(), 7);
    selectText("o 世");
    EXPECT_EQ(control.selFontSize(), std::nullopt);
    // The base size belongs to the control, not to any selection.
    EXPECT_EQ(control.fontSize(), 15);
}

TEST_F(TextControlTest, RefusedSizesRaiseAndChangeNothing) {
    control.setText("abc");
    selectText("b");
    control.setSelFontSize(12);
    for (double refused :
         {0.0, -1.0, 0.5, 1638.5, 1e9, std::nan(""), std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(refused);
        try {
            control.setSelFontSize(refused);
            ADD_FAILURE() << "accepted";
        } catch (const platform::RuntimeError& error) {
            EXPECT_EQ(error.number(), platform::ErrorNumber::InvalidPropertyValue);
        }
        EXPECT_EQ(control.selFontSize(), 12);
    }
    control.setSelFontSize(QtTextControl::SmallestPointSize);
    EXPECT_EQ(control.selFontSize(), 1);
    control.setSelFontSize(QtTextControl::LargestPointSize);
    EXPECT_EQ(control.selFontSize(), 1638);
}

TEST_F(TextControlTest, FormattingIsNoChangeOfTheText) {
    control.setText("abc");
    const int afterSet = events.changes;
    selectText("ab");
    control.setSelBold(true);
    control.setSelItalic(true);
    control.setSelUnderline(true);
    control.setSelFontSize(30);
    processEvents();
    EXPECT_EQ(events.changes, afterSet);
    EXPECT_EQ(control.text(), "abc");
}

TEST_F(TextControlTest, WithNothingSelectedTheCaretsCharacterIsReportedAndNothingChanges) {
    control.setText("ab\ncd");
    selectText("b");
    control.setSelBold(true);
    caretAtByte(2);
    EXPECT_EQ(control.selBold(), true);
    // At a line's start the character after the caret speaks for it.
    caretAtByte(3);
    EXPECT_EQ(control.selBold(), false);
    caretAtByte(2);
    control.setSelItalic(true);
    control.setSelFontSize(40);
    control.send(QsciScintillaBase::SCI_SELECTALL);
    EXPECT_EQ(control.selItalic(), false);
    EXPECT_EQ(control.selFontSize(), 15);
    // Text typed next takes the base formatting.
    caretAtByte(2);
    control.setSelText("x");
    selectText("x");
    EXPECT_EQ(control.selBold(), false);
}

TEST_F(TextControlTest, LineBreaksInASelectionDoNotMakeItMixed) {
    control.setText("abc\ndef");
    selectText("abc");
    control.setSelBold(true);
    selectText("abc\n");
    EXPECT_EQ(control.selBold(), true);
    selectText("\n");
    EXPECT_EQ(control.selBold(), false);
}

TEST_F(TextControlTest, NewTextComesInTheBaseFormatting) {
    control.setText("abc");
    control.send(QsciScintillaBase::SCI_SELECTALL);
    control.setSelBold(true);
    control.setSelFontSize(30);
    control.setText("abc");
    control.send(QsciScintillaBase::SCI_SELECTALL);
    EXPECT_EQ(control.selBold(), false);
    EXPECT_EQ(control.selFontSize(), 15);
}

TEST_F(TextControlTest, ManySizesInTurnNeverRunOutOfStyles) {
    control.setText("abcdef");
    selectText("cd");
    for (int size = 1; size <= 600; ++size) {
        control.setSelFontSize(size);
    }
    EXPECT_EQ(control.selFontSize(), 600);
}

TEST_F(TextControlTest, MoreFormatsAtOnceThanStylesIsRefusedWithoutAChange) {
    // One size per character, none of them the base size: Scintilla has 247 styles to give
    // besides the base.
    control.setText(std::string(260, 'x'));
    for (int i = 0; i < 247; ++i) {
        selectBytes(i, i + 1);
        control.setSelFontSize(16 + i * 0.5);
    }
    selectBytes(247, 248);
    EXPECT_THROW(control.setSelFontSize(500), platform::RuntimeError);
    EXPECT_EQ(control.selFontSize(), 15);
    selectBytes(0, 1);
    EXPECT_EQ(control.selFontSize(), 16);
    // Bold over all of them needs as many new styles again.
    selectBytes(0, 260);
    EXPECT_THROW(control.setSelBold(true), platform::RuntimeError);
    EXPECT_EQ(control.selBold(), false);
    selectBytes(246, 247);
    EXPECT_EQ(control.selFontSize(), 16 + 246 * 0.5);
}

TEST_F(TextControlTest, TheLineHeightFollowsTheLargestSizeStillInUse) {
    control.setText("one\ntwo");
    const long long baseHeight = control.send(QsciScintillaBase::SCI_TEXTHEIGHT, 1);
    selectText("one");
    control.setSelFontSize(40);
    EXPECT_GT(control.send(QsciScintillaBase::SCI_TEXTHEIGHT, 1), baseHeight);
    control.setSelFontSize(15);
    EXPECT_EQ(control.send(QsciScintillaBase::SCI_TEXTHEIGHT, 1), baseHeight);
}

TEST_F(TextControlTest, TheBaseFontIsSimSunOrAChineseFaceStandingInAt15Points) {
    const QString family = QtTextControl::baseFontFamily();
    const QStringList installed = QFontDatabase::families();
    if (!installed.contains(QStringLiteral("SimSun")) &&
        !installed.contains(QStringLiteral("宋体"))) {
        EXPECT_TRUE(installed.contains(family)) << family.toStdString();
        EXPECT_TRUE(
            QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese))
            << family.toStdString();
    }
    // Code lines up: where a fixed-pitch Chinese face is installed, its Latin letters share
    // one width, as 宋体's do.
    if (installed.contains(QStringLiteral("Noto Sans Mono CJK SC"))) {
        const QFontMetricsF metrics{QFont(family, 15)};
        EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("iiii")),
                  metrics.horizontalAdvance(QStringLiteral("MMMM")))
            << family.toStdString();
    }
    char name[128] = {};
    control.SendScintilla(QsciScintillaBase::SCI_STYLEGETFONT, 0UL, static_cast<void*>(name));
    EXPECT_EQ(QString::fromUtf8(name), family);
    EXPECT_EQ(control.fontSize(), 15);
}
