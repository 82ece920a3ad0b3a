// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/about_box_view.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace platform::qt {

class QtAboutBox : public QDialog, public AboutBoxView {
    Q_OBJECT
public:
    explicit QtAboutBox(QWidget* parent = nullptr);

    void setEvents(AboutBoxEvents* events) override { events_ = events; }
    void layOut(const FormLayout& layout) override;
    void setLabel(const std::string& name, const std::string& text) override;
    std::string label(const std::string& name) override;
    void showModal() override;
    void close() override { done(QDialog::Accepted); }
    // Esc and the close box do what OK does.
    void reject() override;

private:
    QLabel* labelNamed(const std::string& name) const;
    void fitOneLineLabels();

    AboutBoxEvents* events_ = nullptr;
    QPushButton* okButton_;
};

} // namespace platform::qt
