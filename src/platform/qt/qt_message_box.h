// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/message_box.h"

class QMessageBox;
class QPushButton;
class QWidget;

namespace platform::qt {

// Message boxes with the button texts of a Chinese desktop.
class QtMessageBox : public MessageBox {
public:
    // Boxes stand over the active window, or over the fallback parent when none is active.
    explicit QtMessageBox(QWidget* fallbackParent = nullptr) : fallbackParent_(fallbackParent) {}
    void setFallbackParent(QWidget* parent) { fallbackParent_ = parent; }

    int show(const std::string& prompt, int style, const std::string& title) override;

private:
    QWidget* fallbackParent_;
};

// The Yes and No buttons of a Chinese desktop's question, added to a box.
struct YesNoButtons {
    QPushButton* yes;
    QPushButton* no;
};
YesNoButtons addYesNoButtons(QMessageBox& box);

} // namespace platform::qt
