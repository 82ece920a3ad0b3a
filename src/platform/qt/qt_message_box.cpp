#include "qt_message_box.h"

#include <QApplication>
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

} // namespace

int QtMessageBox::show(const std::string& prompt, int style, const std::string& title) {
    QWidget* parent = QApplication::activeWindow();
    if (parent == nullptr) {
        parent = fallbackParent_;
    }
    QMessageBox box(iconFor(style), QString::fromStdString(title), QString::fromStdString(prompt),
                    QMessageBox::NoButton, parent);
    if ((style & ButtonMask) == MsgBoxStyle::YesNo) {
        QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == no ? MsgBoxResult::No : MsgBoxResult::Yes;
    }
    QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return MsgBoxResult::OK;
}

} // namespace platform::qt
