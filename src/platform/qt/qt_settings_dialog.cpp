// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "qt_settings_dialog.h"

#include "platform/twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace platform::qt {

void layOutForm(QWidget& form, const FormLayout& layout) {
    const double dpiX = form.logicalDpiX();
    const double dpiY = form.logicalDpiY();
    form.setWindowTitle(QString::fromStdString(layout.caption));
    form.setFixedSize(twipsToPixels(layout.clientWidth, dpiX),
                      twipsToPixels(layout.clientHeight, dpiY));
    QWidget* previous = nullptr;
    for (const ControlBox& box : layout.controls) {
        auto* control = form.findChild<QWidget*>(QString::fromStdString(box.name));
        if (control == nullptr) {
            continue;
        }
        control->setGeometry(twipsToPixels(box.left, dpiX), twipsToPixels(box.top, dpiY),
                             twipsToPixels(box.width, dpiX), twipsToPixels(box.height, dpiY));
        if (!box.caption.empty()) {
            const QString caption = QString::fromStdString(box.caption);
            if (auto* button = qobject_cast<QPushButton*>(control)) {
                button->setText(caption);
            } else if (auto* label = qobject_cast<QLabel*>(control)) {
                label->setText(caption);
            }
        }
        if (control->focusPolicy() != Qt::NoFocus) {
            if (previous != nullptr) {
                QWidget::setTabOrder(previous, control);
            }
            previous = control;
        }
    }
}

QtSettingsDialog::QtSettingsDialog(QWidget* parent)
    : QDialog(parent), label1_(new QLabel(this)), text1_(new QLineEdit(this)),
      label2_(new QLabel(this)), text2_(new QLineEdit(this)), okButton_(new QPushButton(this)),
      cancelButton_(new QPushButton(this)) {
    setObjectName(QStringLiteral("frmDialog"));
    // A fixed dialog: title and close box only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    label1_->setObjectName(QStringLiteral("Label1"));
    text1_->setObjectName(QStringLiteral("Text1"));
    label2_->setObjectName(QStringLiteral("Label2"));
    text2_->setObjectName(QStringLiteral("Text2"));
    okButton_->setObjectName(QStringLiteral("OKButton"));
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));
    // Enter means OK also while a text box or Cancel had the focus last.
    okButton_->setDefault(true);
    label1_->setBuddy(text1_);
    label2_->setBuddy(text2_);
    connect(okButton_, &QPushButton::clicked, this, [this] {
        if (events_ != nullptr) {
            events_->OKButton_Click();
        }
    });
    connect(cancelButton_, &QPushButton::clicked, this, [this] {
        if (events_ != nullptr) {
            events_->CancelButton_Click();
        }
    });
}

void QtSettingsDialog::layOut(const FormLayout& layout) {
    layOutForm(*this, layout);
    // The text boxes are named by the labels above them.
    text1_->setAccessibleName(label1_->text());
    text2_->setAccessibleName(label2_->text());
}

std::string QtSettingsDialog::text1() {
    return text1_->text().toStdString();
}
void QtSettingsDialog::setText1(const std::string& text) {
    text1_->setText(QString::fromStdString(text));
}
std::string QtSettingsDialog::text2() {
    return text2_->text().toStdString();
}
void QtSettingsDialog::setText2(const std::string& text) {
    text2_->setText(QString::fromStdString(text));
}
void QtSettingsDialog::setLabel1(const std::string& caption) {
    label1_->setText(QString::fromStdString(caption));
    text1_->setAccessibleName(label1_->text());
}
void QtSettingsDialog::setLabel2(const std::string& caption) {
    label2_->setText(QString::fromStdString(caption));
    text2_->setAccessibleName(label2_->text());
}

void QtSettingsDialog::showModal() {
    if (events_ != nullptr) {
        events_->Form_Load();
    }
    okButton_->setFocus();
    exec();
}

void QtSettingsDialog::requestClose() {
    bool cancel = false;
    if (events_ != nullptr) {
        events_->Form_Unload(cancel);
    }
    if (!cancel) {
        done(QDialog::Rejected);
    }
}

void QtSettingsDialog::closeEvent(QCloseEvent* event) {
    // The dialog closes only through done(); the close box just asks.
    event->ignore();
    requestClose();
}

} // namespace platform::qt
