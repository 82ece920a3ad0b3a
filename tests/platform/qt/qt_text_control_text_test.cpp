// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// The control's text as plain text, and which changes it reports.

#include "platform/error.h"
#include "platform/posix/large_blocks.h"
#include "platform/qt/qt_text_store.h"
#include "posix_test_support.h"
#include "text_control_fixture.h"

#include <QAccessible>
#include <QTest>

#include <sys/resource.h>

namespace {

using posixtest::residentMegabytes;

// What an assistive tool would have heard: "+" inserted or "-" removed, at a UTF-16 offset.
std::vector<std::string> heard;

void listen(QAccessibleEvent* event) {
    if (event->type() == QAccessible::TextInserted) {
        const auto* inserted = static_cast<QAccessibleTextInsertEvent*>(event);
        heard.push_back("+" + std::to_string(inserted->changePosition()) + " " +
                        inserted->textInserted().toStdString());
    } else if (event->type() == QAccessible::TextRemoved) {
        const auto* removed = static_cast<QAccessibleTextRemoveEvent*>(event);
        heard.push_back("-" + std::to_string(removed->changePosition()) + " " +
                        removed->textRemoved().toStdString());
    }
}

const std::string Chinese = "// 计算结果\n"
                            "\n"
                            "public class 你好 {\n"
                            "\tString s = \"中文😀\";\n"
                            "}\n";

} // namespace

// The page faults the calling thread has taken so far.
long pageFaultsOfThisThread() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_minflt;
}

TEST_F(TextControlTest, AFileLoadedOnPreparedMemoryIsTakenOverWholeAndHeldOnce) {
    // A loader document is filled on the UI thread, its buffers in memory a worker touched
    // ahead; the control takes the document over as it is.
    std::string text;
    for (int line = 0; text.size() < std::size_t{24} << 20; ++line) {
        text += "\tint 数值" + std::to_string(line) + " = 1; // 注释\n";
    }
    const long before = residentMegabytes();
    {
        platform::posix::large_blocks::Preparation preparation;
        platform::qt::ScintillaTextStore store(&preparation);
        const long faultsBefore = pageFaultsOfThisThread();
        store.reserve(text.size());
        if (platform::posix::large_blocks::servingOperatorNew()) {
            // 48 MB of fresh pages would be some 12,000 faults here.
            EXPECT_LT(pageFaultsOfThisThread() - faultsBefore, 2000)
                << "the buffers' memory was not touched ahead on the worker";
        }
        const long reserved = residentMegabytes() - before;
        EXPECT_GE(reserved, 44) << "text and styles";
        EXPECT_LE(reserved, 56) << "prepared blocks left over";
        for (std::size_t at = 0; at < text.size(); at += std::size_t{1} << 20) {
            store.append(std::string_view(text).substr(at, std::size_t{1} << 20));
        }
        control.adoptText(store);
    }
    // Text and styles take 48 MB; a second copy of the text would be 24 MB more.
    EXPECT_LE(residentMegabytes() - before, 70) << "the text is held once, with its styles";
    EXPECT_EQ(control.send(QsciScintillaBase::SCI_GETLINECOUNT),
              std::count(text.begin(), text.end(), '\n') + 1);
    EXPECT_TRUE(control.text() == text) << "compared whole, not printed whole";
}

TEST_F(TextControlTest, ALoadRunningOutOfMemoryLeftStopsWhileSomeIsLeft) {
    // A file of nothing but line ends takes far more memory than the room made for its text.
    static std::size_t memoryLeft = 0;
    memoryLeft = std::size_t{1} << 30;
    platform::qt::ScintillaTextStore store(nullptr, [] { return memoryLeft; });
    store.reserve(1000);
    const std::string lineEnds(std::size_t{8} << 20, '\n');
    store.append(lineEnds);
    memoryLeft = std::size_t{32} << 20;
    EXPECT_THROW(store.append(lineEnds), std::bad_alloc);
}

TEST_F(TextControlTest, TextComesBackAsItWasSet) {
    for (const std::string& text : {std::string(), std::string("a"), Chinese, std::string("\n\n\n"),
                                    std::string("x\n"), std::string("no line break at the end")}) {
        control.setText(text);
        EXPECT_EQ(control.text(), text);
        control.send(QsciScintillaBase::SCI_SELECTALL);
        EXPECT_EQ(control.selText(), text);
    }
}

TEST_F(TextControlTest, EveryKindOfLineBreakBecomesOneLineFeed) {
    control.setText("a\r\nb\rc\nd\r\r\ne\r");
    EXPECT_EQ(control.text(), "a\nb\nc\nd\n\ne\n");
    control.send(QsciScintillaBase::SCI_DOCUMENTEND);
    EXPECT_EQ(control.selStartPosition().line, 7);
}

TEST_F(TextControlTest, BrokenUtf8IsMendedAndNulCharactersAreKept) {
    control.setText("ab\xFF"
                    "cd\xE4\xB8");
    const std::string mended = control.text();
    EXPECT_EQ(mended.rfind("ab\xEF\xBF\xBD"
                           "cd\xEF\xBF\xBD",
                           0),
              0U)
        << mended;
    EXPECT_EQ(QString::fromStdString(mended).toStdString(), mended);
    const std::string withNul("a\0b", 3);
    control.setText(withNul);
    EXPECT_EQ(control.text(), withNul);
}

TEST_F(TextControlTest, SettingTheTextAlwaysReportsOneChange) {
    control.setText("");
    EXPECT_EQ(events.changes, 1);
    control.setText("abc");
    EXPECT_EQ(events.changes, 2);
    control.setText("abc");
    EXPECT_EQ(events.changes, 3);
    processEvents();
    EXPECT_EQ(events.changes, 3);
}

TEST_F(TextControlTest, TheChangeIsReportedAfterTheTextChanged) {
    std::string seen;
    events.onChange = [&] { seen = control.text(); };
    control.setText("abc");
    EXPECT_EQ(seen, "abc");
    caretAtByte(3);
    control.setSelText("d");
    EXPECT_EQ(seen, "abcd");
    QTest::keyClick(&control, Qt::Key_E);
    EXPECT_EQ(seen, "abcde");
}

TEST_F(TextControlTest, SelTextReplacesTheSelectionOrInsertsAtTheCaret) {
    control.setText("Hello world");
    selectText("world");
    EXPECT_EQ(control.selText(), "world");
    EXPECT_EQ(control.selLength(), 5);
    control.setSelText("世界");
    EXPECT_EQ(control.text(), "Hello 世界");
    // The caret stands after the inserted text, with nothing selected.
    EXPECT_EQ(control.selLength(), 0);
    EXPECT_EQ(control.selStartPosition().column, 8);

    caretAtByte(0);
    control.setSelText("a\r\nb");
    EXPECT_EQ(control.text(), "a\nbHello 世界");
    EXPECT_EQ(events.changes, 3);
}

TEST_F(TextControlTest, SelTextReportsAChangeOnlyWhenTheTextChanged) {
    control.setText("abc");
    const int afterSet = events.changes;
    caretAtByte(1);
    control.setSelText("");
    EXPECT_EQ(events.changes, afterSet);
    selectBytes(1, 2);
    control.setSelText("");
    EXPECT_EQ(events.changes, afterSet + 1);
    EXPECT_EQ(control.text(), "ac");
}

TEST_F(TextControlTest, TypingReportsEveryChange) {
    control.setText("");
    QTest::keyClick(&control, Qt::Key_A);
    EXPECT_EQ(control.text(), "a");
    EXPECT_EQ(events.changes, 2);
    QTest::keyClick(&control, Qt::Key_Return);
    QTest::keyClick(&control, Qt::Key_Backspace);
    QTest::keyClick(&control, Qt::Key_Backspace);
    EXPECT_EQ(control.text(), "");
    EXPECT_EQ(events.changes, 5);
    // Undoing is a change of the text too; the two deletions undo as one step.
    QTest::keyClick(&control, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(control.text(), "a\n");
    EXPECT_EQ(events.changes, 6);
    // Keys that only move the caret change nothing.
    QTest::keyClick(&control, Qt::Key_Home);
    QTest::keyClick(&control, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(events.changes, 6);
}

TEST_F(TextControlTest, LoadingIsNoStepToUndo) {
    control.setText("loaded");
    QTest::keyClick(&control, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(control.text(), "loaded");
}

TEST_F(TextControlTest, ChineseInputMethodsCommitIntoTheText) {
    control.setText("ab");
    caretAtByte(1);
    const int before = events.changes;
    QInputMethodEvent composing(QStringLiteral("zhong"), {});
    QApplication::sendEvent(&control, &composing);
    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral("中文"));
    QApplication::sendEvent(&control, &committed);
    EXPECT_EQ(control.text(), "a中文b");
    EXPECT_GT(events.changes, before);
    EXPECT_EQ(control.selStartPosition().column, 3);
}

TEST_F(TextControlTest, TheInsertKeyTogglesOverwriteForEachControlOnItsOwn) {
    platform::qt::QtTextControl other;
    control.setText("abc");
    caretAtByte(0);
    EXPECT_FALSE(control.overwriteMode());
    QTest::keyClick(&control, Qt::Key_Insert);
    EXPECT_TRUE(control.overwriteMode());
    EXPECT_FALSE(other.overwriteMode());
    QTest::keyClick(&control, Qt::Key_X);
    EXPECT_EQ(control.text(), "xbc");
    QTest::keyClick(&control, Qt::Key_Insert);
    EXPECT_FALSE(control.overwriteMode());
    QTest::keyClick(&control, Qt::Key_Y);
    EXPECT_EQ(control.text(), "xybc");
}

TEST_F(TextControlTest, TheAccessibleIsAnEditableTextCountingUtf16Units) {
    control.setText("中文😀\nab");
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&control);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::EditableText);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("文本编辑区"));
    QAccessibleTextInterface* text = accessible->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), 7);
    EXPECT_EQ(text->text(1, 4), QStringLiteral("文😀"));
    text->setSelection(0, 5, 7);
    EXPECT_EQ(control.selText(), "ab");
    EXPECT_EQ(text->cursorPosition(), 7);
    int start = 0;
    int end = 0;
    text->selection(0, &start, &end);
    EXPECT_EQ(start, 5);
    EXPECT_EQ(end, 7);
    accessible->editableTextInterface()->insertText(2, QStringLiteral("字"));
    EXPECT_EQ(control.text(), "中文字😀\nab");
}

TEST_F(TextControlTest, AssistiveToolsHearEachEditInOrderAtItsUtf16Offset) {
    control.setText("ab😀cd");
    using platform::qt::QtTextControl;
    const QtTextControl::Accessibility previous = QtTextControl::accessibility;
    QtTextControl::accessibility = {[] { return true; }, &listen};
    heard.clear();

    caretAtByte(6);
    QTest::keyClick(&control, Qt::Key_X);
    selectText("cd");
    control.setSelText("中文");
    QTest::keyClick(&control, Qt::Key_Backspace);
    control.setText("new");

    QtTextControl::accessibility = previous;
    EXPECT_EQ(heard, (std::vector<std::string>{"+4 x", "-5 cd", "+5 中文", "-6 文", "-0 ab😀x中",
                                               "+0 new"}));
}

TEST_F(TextControlTest, TheBuffersGapFollowsTheCaretUnseenAndUnchanged) {
    // Three-byte characters on long lines: the steps of the gap fall inside characters, and
    // bold text stands across one of them.
    using platform::qt::ScintillaGapFollower;
    std::string original;
    while (original.size() < 3 * ScintillaGapFollower::StepBytes) {
        original += "中文字符" + std::string(1000, 'x') + "中\n";
    }
    const long long length = static_cast<long long>(original.size());
    const long long boldFrom = ScintillaGapFollower::StepBytes - 100;
    // Scintilla tells of caret moves when it paints.
    control.show();
    control.setText(original);
    EXPECT_TRUE(gapFollowsCaret(control, 0))
        << "the text came in at the end; the caret is at the start";
    selectBytes(boldFrom, boldFrom + 200);
    control.setSelBold(true);
    caretAtByte(0);
    control.send(QsciScintillaBase::SCI_SETSAVEPOINT);
    QTest::keyClick(&control, Qt::Key_A);
    processEvents();

    using platform::qt::QtTextControl;
    const QtTextControl::Accessibility previous = QtTextControl::accessibility;
    QtTextControl::accessibility = {[] { return true; }, &listen};
    heard.clear();
    const int changes = events.changes;
    QTest::keyClick(&control, Qt::Key_End, Qt::ControlModifier);
    const bool followedToEnd = gapFollowsCaret(control, length + 1);
    caretAtByte(length / 2);
    const bool followedBack = gapFollowsCaret(control, length / 2);
    QtTextControl::accessibility = previous;

    EXPECT_TRUE(followedToEnd);
    EXPECT_TRUE(followedBack);
    // Compared whole, not printed whole.
    EXPECT_TRUE(control.text() == "a" + original);
    EXPECT_EQ(events.changes, changes);
    EXPECT_EQ(heard, std::vector<std::string>{});
    EXPECT_TRUE(control.send(QsciScintillaBase::SCI_GETMODIFY));
    for (long long at : {boldFrom + 1, boldFrom + 100, boldFrom + 200}) {
        EXPECT_TRUE(control.formatAt(at).bold) << at;
    }
    EXPECT_FALSE(control.formatAt(boldFrom + 202).bold);
    // The one step to undo is still the typed key, and undoing it reaches the save point.
    control.send(QsciScintillaBase::SCI_UNDO);
    EXPECT_TRUE(control.text() == original);
    EXPECT_FALSE(control.send(QsciScintillaBase::SCI_CANUNDO));
    EXPECT_FALSE(control.send(QsciScintillaBase::SCI_GETMODIFY));
}
