// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "qt_message_box.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace platform::qt {

namespace {

constexpr int ButtonMask = 0x0F;
constexpr int IconMask = 0x70;

QMessageBox::Icon iconFor(int style) {
    switch (style & IconMask) {
    case MsgBoxStyle::Critical:
        return QMessageBox::Critical;
    case MsgBoxStyle::Question:
        return QMessageBox::Question;
    case MsgBoxStyle::Exclamation:
        return QMessageBox::Warning;
    case MsgBoxStyle::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// A question is answered by one of its buttons only. Qt makes a lone No button the escape
// button, so Esc or the close box would answer No and throw the user's text away; here they do
// nothing, as on the desktop the questions were written for.
class QuestionBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        if (clickedButton() == nullptr) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }
};

} // namespace

YesNoButtons addYesNoButtons(QMessageBox& box) {
    return {box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole),
            box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole)};
}

int QtMessageBox::show(const std::string& prompt, int style, const std::string& title) {
    QWidget* parent = QApplication::activeWindow();
    if (parent == nullptr) {
        parent = fallbackParent_;
    }
    const QString titleText = QString::fromStdString(title);
    const QString promptText = QString::fromStdString(prompt);
    if ((style & ButtonMask) == MsgBoxStyle::YesNo) {
        QuestionBox box(iconFor(style), titleText, promptText, QMessageBox::NoButton, parent);
        const YesNoButtons buttons = addYesNoButtons(box);
        box.setDefaultButton((style & MsgBoxStyle::DefaultButton2) != 0 ? buttons.no : buttons.yes);
        box.exec();
        return box.clickedButton() == buttons.no ? MsgBoxResult::No : MsgBoxResult::Yes;
    }
    QMessageBox box(iconFor(style), titleText, promptText, QMessageBox::NoButton, parent);
    QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return MsgBoxResult::OK;
}

} // namespace platform::qt
