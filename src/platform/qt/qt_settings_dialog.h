// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/settings_dialog_view.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace platform::qt {

// Places a form's controls by their boxes in twips, converted with the screen's resolution.
void layOutForm(QWidget& form, const FormLayout& layout);

class QtSettingsDialog : public QDialog, public SettingsDialogView {
    Q_OBJECT
public:
    explicit QtSettingsDialog(QWidget* parent = nullptr);

    void setEvents(SettingsDialogEvents* events) override { events_ = events; }
    void layOut(const FormLayout& layout) override;

    std::string text1() override;
    void setText1(const std::string& text) override;
    std::string text2() override;
    void setText2(const std::string& text) override;
    void setLabel1(const std::string& caption) override;
    void setLabel2(const std::string& caption) override;

    void showModal() override;
    void close() override { requestClose(); }

    // Every way of closing, the close box and Esc included, asks the program first.
    void reject() override { requestClose(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void requestClose();

    SettingsDialogEvents* events_ = nullptr;
    QLabel* label1_;
    QLineEdit* text1_;
    QLabel* label2_;
    QLineEdit* text2_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

} // namespace platform::qt
