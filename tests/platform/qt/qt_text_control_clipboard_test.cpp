// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// The clipboard and drag and drop carry plain text only.

#include "text_control_fixture.h"

#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>

namespace {

QMimeData* richData(const QString& html, const QString& text) {
    auto* mime = new QMimeData;
    mime->setHtml(html);
    if (!text.isNull()) {
        mime->setText(text);
    }
    mime->setData(QStringLiteral("application/x-qrichtext"), html.toUtf8());
    return mime;
}

void paste(QWidget& widget) {
    QTest::keyClick(&widget, Qt::Key_V, Qt::ControlModifier);
}

} // namespace

TEST_F(TextControlTest, PastingRichDataTakesOnlyItsPlainText) {
    control.setText("[]");
    caretAtByte(1);
    QApplication::clipboard()->setMimeData(
        richData(QStringLiteral("<b>粗体</b><i>斜</i>"), QStringLiteral("粗体斜")));
    const int before = events.changes;
    paste(control);
    EXPECT_EQ(control.text(), "[粗体斜]");
    EXPECT_EQ(events.changes, before + 1);
    selectText("粗体斜");
    EXPECT_EQ(control.selBold(), false);
    EXPECT_EQ(control.selItalic(), false);
}

TEST_F(TextControlTest, PastingDataWithoutPlainTextInsertsNothing) {
    control.setText("abc");
    caretAtByte(1);
    QApplication::clipboard()->setMimeData(richData(QStringLiteral("<p>html</p>"), QString()));
    paste(control);
    EXPECT_EQ(control.text(), "abc");
}

TEST_F(TextControlTest, APastedCrLfCrOrLfBecomesOneLineBreak) {
    control.setText("");
    QApplication::clipboard()->setText(QStringLiteral("a\r\nb\rc\nd\r\n"));
    paste(control);
    EXPECT_EQ(control.text(), "a\nb\nc\nd\n");
    EXPECT_EQ(control.selStartPosition().line, 5);
    // Shift+Insert is the same paste.
    QTest::keyClick(&control, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(control.text(), "a\nb\nc\nd\na\nb\nc\nd\n");
}

TEST_F(TextControlTest, CopyAndCutPlacePlainTextAloneOnTheClipboard) {
    control.setText("一二三\n四");
    selectText("二三\n四");
    control.setSelBold(true);
    QTest::keyClick(&control, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->formats(), QStringList{QStringLiteral("text/plain")});
    EXPECT_EQ(copied->text(), QStringLiteral("二三\n四"));

    const int before = events.changes;
    selectText("一");
    QTest::keyClick(&control, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("一"));
    EXPECT_EQ(control.text(), "二三\n四");
    EXPECT_EQ(events.changes, before + 1);
}

TEST_F(TextControlTest, DroppingRichDataInsertsItsPlainText) {
    control.setText("ab");
    control.show();
    processEvents();
    const QPoint at(
        static_cast<int>(control.send(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0, 1)),
        static_cast<int>(control.send(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0, 1)) + 3);
    std::unique_ptr<QMimeData> mime(
        richData(QStringLiteral("<u>下</u>"), QStringLiteral("下\r\n划")));
    QDragEnterEvent enter(at, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(control.viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(control.viewport(), &move);
    QDropEvent drop(at, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    const int before = events.changes;
    QApplication::sendEvent(control.viewport(), &drop);
    EXPECT_EQ(control.text(), "a下\n划b");
    EXPECT_EQ(events.changes, before + 1);
    selectText("下");
    EXPECT_EQ(control.selUnderline(), false);
}

TEST_F(TextControlTest, TheContextMenuSpeaksChineseAndPastesPlainText) {
    control.setText("ab");
    caretAtByte(2);
    control.show();
    processEvents();
    QApplication::clipboard()->setMimeData(
        richData(QStringLiteral("<b>x</b>"), QStringLiteral("c\r\nd")));
    QStringList captions;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                captions << action->text();
            }
        }
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith(QStringLiteral("粘贴"))) {
                action->trigger();
            }
        }
        menu->close();
    });
    const int before = events.changes;
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5),
                              control.viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(control.viewport(), &request);
    EXPECT_EQ(captions, (QStringList{QStringLiteral("撤消(&U)"), QStringLiteral("重做(&R)"),
                                     QStringLiteral("剪切(&T)"), QStringLiteral("复制(&C)"),
                                     QStringLiteral("粘贴(&P)"), QStringLiteral("删除(&D)"),
                                     QStringLiteral("全选(&A)")}));
    EXPECT_EQ(control.text(), "abc\nd");
    EXPECT_EQ(events.changes, before + 1);
}
