// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/file_dialog.h"

#include <QPointer>
#include <QWidget>

namespace platform::qt {

// Open and save dialogs on Qt's own file dialog, never the desktop's: only Qt's takes a typed
// name of a missing file in Open. Save asks before it gives back the name of an existing file.
//
// Each filter entry shows its description exactly as written and lists the files its pattern
// matches, the pattern read as Windows reads it: "*.*" matches every name, also one without a
// dot such as "Makefile", and several patterns may be joined by ";".
class QtFileDialogs : public FileDialogs {
public:
    // The dialogs stand over parent; without one they are modal to the whole application.
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    std::optional<std::string> showOpen(const FileDialogRequest& request) override;
    std::optional<std::string> showSave(const FileDialogRequest& request) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace platform::qt
