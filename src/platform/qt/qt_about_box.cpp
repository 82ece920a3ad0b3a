// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "qt_about_box.h"

#include "qt_settings_dialog.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace platform::qt {

namespace {

QLabel* addLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QFrame* addRule(QWidget* parent, const char* name, const QColor& colour) {
    auto* rule = new QFrame(parent);
    rule->setObjectName(QString::fromLatin1(name));
    rule->setAutoFillBackground(true);
    QPalette palette = rule->palette();
    palette.setColor(QPalette::Window, colour);
    rule->setPalette(palette);
    return rule;
}

} // namespace

QtAboutBox::QtAboutBox(QWidget* parent) : QDialog(parent), okButton_(new QPushButton(this)) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(QIcon(QStringLiteral(":/toolbar/12-java.svg")).pixmap(32, 32));
    icon->setAccessibleName(QStringLiteral("MORVANE集成系统"));
    for (const char* name : {"lblTitle", "lblVersion", "lblDescription", "lblDisclaimer"}) {
        addLabel(this, name);
    }
    addRule(this, "Line1", QColor(128, 128, 128));
    addRule(this, "Line1White", Qt::white);
    okButton_->setObjectName(QStringLiteral("cmdOK"));
    // OK is both the default and the cancel button: Enter and Esc press it.
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, [this] {
        if (events_ != nullptr) {
            events_->cmdOK_Click();
        }
    });
}

void QtAboutBox::layOut(const FormLayout& layout) {
    layOutForm(*this, layout);
    for (const ControlBox& box : layout.controls) {
        auto* control = findChild<QWidget*>(QString::fromStdString(box.name));
        if (control != nullptr && !box.fontName.empty()) {
            QFont font = control->font();
            font.setFamily(QString::fromStdString(box.fontName));
            font.setPointSizeF(box.fontSize);
            control->setFont(font);
        }
    }
    fitOneLineLabels();
}

void QtAboutBox::fitOneLineLabels() {
    // The boxes were measured for 宋体; a face standing in for it may be taller or wider, and
    // a one-line label grows to its text rather than cutting it off.
    for (const char* name : {"lblTitle", "lblVersion"}) {
        if (QLabel* label = labelNamed(name)) {
            label->setWordWrap(false);
            label->resize(label->size().expandedTo(label->sizeHint()));
        }
    }
}

QLabel* QtAboutBox::labelNamed(const std::string& name) const {
    return findChild<QLabel*>(QString::fromStdString(name));
}

void QtAboutBox::setLabel(const std::string& name, const std::string& text) {
    if (QLabel* label = labelNamed(name)) {
        label->setText(QString::fromStdString(text).replace(QStringLiteral("\r\n"), "\n"));
    }
    fitOneLineLabels();
}

std::string QtAboutBox::label(const std::string& name) {
    QLabel* label = labelNamed(name);
    return label != nullptr ? label->text().replace('\n', QStringLiteral("\r\n")).toStdString()
                            : std::string();
}

void QtAboutBox::reject() {
    if (events_ != nullptr) {
        events_->cmdOK_Click();
    } else {
        QDialog::reject();
    }
}

void QtAboutBox::showModal() {
    if (events_ != nullptr) {
        events_->Form_Load();
    }
    okButton_->setFocus();
    exec();
}

} // namespace platform::qt
