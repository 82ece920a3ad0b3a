// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/document_host.h"
#include "win_api.h"

namespace platform::win {

// The MDI client of the main window, which holds the document windows.
class WinDocumentHost : public DocumentHost {
public:
    WinDocumentHost(HWND client, HINSTANCE instance) : client_(client), instance_(instance) {}

    bool closeAllDocuments() override;
    std::unique_ptr<DocumentWindowView> createDocumentWindow() override;
    // A hidden edit control of its own, which a document window's is swapped for.
    std::unique_ptr<TextStore> createTextStore() override;
    DocumentWindowView* activeDocument() override;

private:
    HWND client_;
    HINSTANCE instance_;
    // The size of the edit control of the document window opened last, when it was first
    // laid out: the size the next one gets.
    SIZE newEditSize_{0, 0};
};

} // namespace platform::win
