// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>

namespace platform::qt {

// The parts of Qt's own file dialog, found by what they are for rather than by the object names
// Qt happens to give them.

// The name box: the dialog's one line for typing (the folder box above the list types nothing).
inline QLineEdit* nameBox(const QFileDialog& dialog) {
    for (QLineEdit* line : dialog.findChildren<QLineEdit*>()) {
        if (qobject_cast<QComboBox*>(line->parentWidget()) == nullptr) {
            return line;
        }
    }
    return nullptr;
}

// The box of file types: the choice with one entry per filter that is not the folder box, which
// shows the folder the dialog is in.
inline QComboBox* typeBox(const QFileDialog& dialog) {
    const QDir folder = dialog.directory();
    for (QComboBox* box : dialog.findChildren<QComboBox*>()) {
        const QString shown = box->currentText();
        const bool showsFolder = !shown.isEmpty() && (shown == folder.dirName() ||
                                                      QDir(shown) == folder || shown == "/");
        if (box->count() == dialog.nameFilters().size() && !showsFolder) {
            return box;
        }
    }
    return nullptr;
}

// The list of the folder's files, as opposed to the list of places beside it.
inline QListView* fileList(const QFileDialog& dialog) {
    for (QListView* view : dialog.findChildren<QListView*>()) {
        const QModelIndex root = view->rootIndex();
        if (root.isValid() &&
            QDir(root.data(QFileSystemModel::FilePathRole).toString()) == dialog.directory()) {
            return view;
        }
    }
    return nullptr;
}

// The dialog's buttons (open or save, and cancel).
inline QDialogButtonBox* buttonBox(const QFileDialog& dialog) {
    return dialog.findChild<QDialogButtonBox*>();
}

} // namespace platform::qt
