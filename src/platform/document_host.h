// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "text_store.h"

#include <memory>

namespace platform {

class DocumentWindowView;

// The main window's area that holds the document windows.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    // Closes the document windows one by one; each may refuse. Stops at the first refusal
    // and returns false, leaving that window and the ones not yet reached open.
    virtual bool closeAllDocuments() = 0;

    // A new, hidden document window in the host.
    virtual std::unique_ptr<DocumentWindowView> createDocumentWindow() = 0;
    // Storage for a text that a document window's edit control is to take over.
    virtual std::unique_ptr<TextStore> createTextStore() = 0;
    // The document window commands work on, or none while no document window is open.
    virtual DocumentWindowView* activeDocument() = 0;
};

} // namespace platform
