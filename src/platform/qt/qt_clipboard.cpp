// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace platform::qt {

std::string QtClipboard::text() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText()) {
        return {};
    }
    return data->text().toStdString();
}

void QtClipboard::setText(const std::string& text) {
    // Only text goes on the clipboard, never formatting.
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

} // namespace platform::qt
