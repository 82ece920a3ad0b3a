// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "qt_document_host.h"

#include "qt_document_window.h"
#include "qt_text_store.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace platform::qt {

bool QtDocumentHost::closeAllDocuments() {
    for (QMdiSubWindow* window : area_->subWindowList()) {
        if (!window->close()) {
            return false;
        }
    }
    return true;
}

std::unique_ptr<DocumentWindowView> QtDocumentHost::createDocumentWindow() {
    return std::make_unique<QtDocumentWindow>(area_);
}

std::unique_ptr<TextStore> QtDocumentHost::createTextStore() {
    return std::make_unique<ScintillaTextStore>(preparation_);
}

DocumentWindowView* QtDocumentHost::activeDocument() {
    auto* window = qobject_cast<DocumentSubWindow*>(area_->currentSubWindow());
    return window != nullptr ? window->owner() : nullptr;
}

} // namespace platform::qt
