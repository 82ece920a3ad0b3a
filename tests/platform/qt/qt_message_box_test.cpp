// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "platform/qt/qt_message_box.h"
#include "qt_fixture.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Seen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

// Shows a box, looks at it from inside its event loop and presses the button at `press`.
int showAndPress(int style, int press, Seen& seen) {
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* button : box->buttons()) {
            seen.buttons << button->text();
        }
        box->buttons().at(press)->click();
    });
    platform::qt::QtMessageBox messageBox;
    return messageBox.show("文本已改变，是否保存？", style, "关闭文件 提示");
}

TEST(QtMessageBoxTest, YesNoQuestionInChinese) {
    Seen seen;
    const int answer =
        showAndPress(platform::MsgBoxStyle::YesNo | platform::MsgBoxStyle::Question, 1, seen);
    EXPECT_EQ(seen.title, QStringLiteral("关闭文件 提示"));
    EXPECT_EQ(seen.text, QStringLiteral("文本已改变，是否保存？"));
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons.size(), 2);
    EXPECT_TRUE(seen.buttons.contains(QStringLiteral("是(&Y)")));
    EXPECT_TRUE(seen.buttons.contains(QStringLiteral("否(&N)")));
    const bool pressedNo = answer == platform::MsgBoxResult::No;
    const bool pressedYes = answer == platform::MsgBoxResult::Yes;
    EXPECT_TRUE(pressedNo || pressedYes);
}

TEST(QtMessageBoxTest, EachButtonGivesItsOwnResult) {
    QList<int> answers;
    for (int press : {0, 1}) {
        Seen seen;
        const int answer = showAndPress(platform::MsgBoxStyle::YesNo, press, seen);
        answers << answer;
        const bool isYes = seen.buttons.at(press) == QStringLiteral("是(&Y)");
        EXPECT_EQ(answer, isYes ? platform::MsgBoxResult::Yes : platform::MsgBoxResult::No);
    }
    EXPECT_NE(answers[0], answers[1]);
}

TEST(QtMessageBoxTest, OkOnlyBoxesWithTheirIcons) {
    const std::pair<int, QMessageBox::Icon> icons[] = {
        {platform::MsgBoxStyle::Critical, QMessageBox::Critical},
        {platform::MsgBoxStyle::Exclamation, QMessageBox::Warning},
        {platform::MsgBoxStyle::Information, QMessageBox::Information},
    };
    for (const auto& [style, icon] : icons) {
        Seen seen;
        EXPECT_EQ(showAndPress(style, 0, seen), platform::MsgBoxResult::OK);
        EXPECT_EQ(seen.icon, icon);
        EXPECT_EQ(seen.buttons, QStringList({QStringLiteral("确定")}));
    }
}

TEST(QtMessageBoxTest, EscAndTheCloseBoxNeverAnswerAQuestion) {
    // Each question of the program, answered by each button after Esc and the close box were
    // tried: the box stays until a button is pressed, and the answer is that button's.
    const int questions[] = {platform::MsgBoxStyle::YesNo | platform::MsgBoxStyle::Question,
                             platform::MsgBoxStyle::YesNo | platform::MsgBoxStyle::Exclamation};
    for (const int style : questions) {
        for (const QString& pressed : {QStringLiteral("是(&Y)"), QStringLiteral("否(&N)")}) {
            bool openAfterEsc = false;
            bool openAfterCloseBox = false;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                ASSERT_NE(box, nullptr);
                QTest::keyClick(box, Qt::Key_Escape);
                openAfterEsc = box->isVisible();
                box->close();
                openAfterCloseBox = box->isVisible();
                pressBoxButton(*box, pressed);
            });
            platform::qt::QtMessageBox messageBox;
            const int answer = messageBox.show("文本已改变，是否保存？", style, "关闭文件 提示");
            EXPECT_TRUE(openAfterEsc) << pressed.toStdString();
            EXPECT_TRUE(openAfterCloseBox) << pressed.toStdString();
            EXPECT_EQ(answer, pressed == QStringLiteral("是(&Y)") ? platform::MsgBoxResult::Yes
                                                                  : platform::MsgBoxResult::No);
        }
    }
    // A box with OK alone still closes on Esc.
    QTimer::singleShot(0,
                       [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    platform::qt::QtMessageBox messageBox;
    EXPECT_EQ(messageBox.show("文件未保存!", platform::MsgBoxStyle::Exclamation, "错误提示"),
              platform::MsgBoxResult::OK);
}

} // namespace
