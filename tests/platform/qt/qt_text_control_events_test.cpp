// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// Click, key release and focus loss as the window hears of them.

#include "text_control_fixture.h"

#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QVBoxLayout>

namespace {

QPoint pointOf(platform::qt::QtTextControl& control, long long position) {
    return {
        static_cast<int>(control.send(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0, position)) + 1,
        static_cast<int>(control.send(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0, position)) + 3};
}

} // namespace

TEST_F(TextControlTest, KeyUpComesAfterTheKeyWasApplied) {
    control.setText("");
    std::string seen;
    events.onKeyUp = [&] { seen = control.text(); };
    QTest::keyClick(&control, Qt::Key_Q);
    EXPECT_EQ(seen, "q");
    ASSERT_EQ(events.keyUps.size(), 1U);
    EXPECT_EQ(events.keyUps[0], std::make_pair(0x51, 0));
}

TEST_F(TextControlTest, EveryKeyReleaseCountsModifiersAndCaretKeysIncluded) {
    control.setText("abc");
    QTest::keyClick(&control, Qt::Key_Shift);
    QTest::keyClick(&control, Qt::Key_Left);
    QTest::keyClick(&control, Qt::Key_F5);
    QTest::keyClick(&control, Qt::Key_A, Qt::ControlModifier);
    // Ctrl+A releases the A, then the Ctrl.
    ASSERT_EQ(events.keyUps.size(), 5U);
    EXPECT_EQ(events.keyUps[0].first, 0x10);
    EXPECT_EQ(events.keyUps[1], std::make_pair(0x25, 0));
    EXPECT_EQ(events.keyUps[2], std::make_pair(0x74, 0));
    EXPECT_EQ(events.keyUps[3], std::make_pair(0x41, 2));
    EXPECT_EQ(events.keyUps[4].first, 0x11);
}

TEST_F(TextControlTest, ARepeatedKeyIsReleasedOnlyOnce) {
    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&control, &repeated);
    EXPECT_TRUE(events.keyUps.empty());
    QKeyEvent released(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(&control, &released);
    EXPECT_EQ(events.keyUps.size(), 1U);
}

TEST_F(TextControlTest, ALeftClickIsReportedWithTheCaretAlreadyMoved) {
    control.setText("first line\nsecond line");
    control.show();
    processEvents();
    platform::CaretPosition seen;
    events.onClick = [&] { seen = control.selStartPosition(); };
    const long long target = static_cast<long long>(control.text().find("cond"));
    QTest::mouseClick(control.viewport(), Qt::LeftButton, {}, pointOf(control, target));
    EXPECT_EQ(events.clicks, 1);
    EXPECT_EQ(seen.line, 2);
    EXPECT_EQ(seen.column, 2);
    QTest::mouseClick(control.viewport(), Qt::RightButton, {}, pointOf(control, 2));
    EXPECT_EQ(events.clicks, 1);
}

TEST_F(TextControlTest, ADoubleClickReportsTheStartOfTheWordItSelected) {
    control.setText("first line\nsecond line");
    control.show();
    processEvents();
    platform::CaretPosition seen;
    events.onClick = [&] { seen = control.selStartPosition(); };
    const long long target = static_cast<long long>(control.text().find("cond"));
    // The events a real double click delivers; QTest's own sends the double click alone.
    const QPoint at = pointOf(control, target);
    QTest::mouseClick(control.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(control.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(control.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(control.selText(), "second");
    EXPECT_EQ(events.clicks, 2);
    EXPECT_EQ(seen.line, 2);
    EXPECT_EQ(seen.column, 0);
}

TEST_F(TextControlTest, LosingTheFocusIsReportedExceptToAMenuOrAnotherProgram) {
    const struct {
        Qt::FocusReason reason;
        bool reported;
    } cases[] = {
        {Qt::MouseFocusReason, true},    {Qt::TabFocusReason, true},
        {Qt::BacktabFocusReason, true},  {Qt::ShortcutFocusReason, true},
        {Qt::OtherFocusReason, true},    {Qt::PopupFocusReason, false},
        {Qt::MenuBarFocusReason, false}, {Qt::ActiveWindowFocusReason, false},
    };
    for (const auto& focus : cases) {
        SCOPED_TRACE(focus.reason);
        const int before = events.lostFocus;
        QFocusEvent out(QEvent::FocusOut, focus.reason);
        QApplication::sendEvent(&control, &out);
        EXPECT_EQ(events.lostFocus - before, focus.reported ? 1 : 0);
    }
}

TEST(TextControlFocus, MovingToAnotherControlIsReportedAndOpeningAMenuIsNot) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* text = new platform::qt::QtTextControl;
    auto* other = new platform::qt::QtTextControl;
    auto* line = new QLineEdit;
    layout->addWidget(text);
    layout->addWidget(other);
    layout->addWidget(line);
    RecordingEvents events;
    text->setEvents(&events);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    text->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(text->hasFocus());
    other->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(events.lostFocus, 1);

    text->setFocus(Qt::MouseFocusReason);
    QMenu menu;
    menu.addAction(QStringLiteral("字体"));
    menu.popup(window.mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    menu.close();
    QApplication::processEvents();
    EXPECT_EQ(events.lostFocus, 1);

    line->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(events.lostFocus, 2);
}
