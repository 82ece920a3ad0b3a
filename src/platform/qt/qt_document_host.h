// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/document_host.h"
#include "platform/memory_preparation.h"

class QMdiArea;
class QWidget;

namespace platform::qt {

class QtDocumentHost : public DocumentHost {
public:
    // The documents' buffers take memory prepared ahead where preparation is given.
    explicit QtDocumentHost(QMdiArea* area, MemoryPreparation* preparation = nullptr)
        : area_(area), preparation_(preparation) {}

    bool closeAllDocuments() override;
    std::unique_ptr<DocumentWindowView> createDocumentWindow() override;
    std::unique_ptr<TextStore> createTextStore() override;
    // The document window that commands work on. QMdiArea forgets its active window while the
    // main window is not the active one (a box just closed, a terminal took the focus), but
    // it keeps the current one, which is the same window.
    DocumentWindowView* activeDocument() override;

private:
    QMdiArea* area_;
    MemoryPreparation* preparation_;
};

} // namespace platform::qt
