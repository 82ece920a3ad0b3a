// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/qt/file_dialog_parts.h"

#include <functional>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

// Settings and files of a Qt test live in a temporary folder, never in the user's own.
class QtTestEnvironment {
public:
    QtTestEnvironment() { qputenv("XDG_CONFIG_HOME", directory.path().toUtf8()); }
    QString path(const QString& name) const { return directory.filePath(name); }

    QTemporaryDir directory;
};

// Runs the pending events so that shown windows are laid out and painted.
inline void processEvents() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
    }
}

// Waits for the condition while the events run; false when it did not come in time.
inline bool waitFor(const std::function<bool()>& done, int milliseconds = 5000) {
    return QTest::qWaitFor(done, milliseconds);
}

// Types over whatever a file dialog's name box holds, one character after the other, as a user
// would; the box has the focus, which the dialog's own selection logic looks at.
inline void typeName(QFileDialog& dialog, const QString& name) {
    QLineEdit* box = platform::qt::nameBox(dialog);
    ASSERT_NE(box, nullptr);
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    box->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(box->hasFocus());
    box->selectAll();
    for (const QChar c : name) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &release);
    }
    ASSERT_EQ(box->text(), name);
}

// Clicks one of a file dialog's buttons, which must be there and enabled.
inline void pressDialogButton(QFileDialog& dialog, QDialogButtonBox::StandardButton which) {
    QDialogButtonBox* buttons = platform::qt::buttonBox(dialog);
    ASSERT_NE(buttons, nullptr);
    QPushButton* button = buttons->button(which);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());
    button->click();
}

// Clicks the message box's button with this text; a box without one fails the test.
inline void pressBoxButton(QMessageBox& box, const QString& text) {
    for (QAbstractButton* button : box.buttons()) {
        if (button->text() == text) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no button " << text.toStdString();
}
