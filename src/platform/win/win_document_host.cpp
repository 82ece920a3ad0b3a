// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_document_host.h"

#include "win_document_window.h"
#include "win_text_store.h"

namespace platform::win {

bool WinDocumentHost::closeAllDocuments() {
    // The windows open now; one that went while another closed is passed over.
    for (HWND window : WinDocumentWindow::windowsIn(client_)) {
        if (!IsWindow(window)) {
            continue;
        }
        SendMessageW(window, WM_CLOSE, 0, 0);
        if (IsWindow(window)) {
            return false;
        }
    }
    return true;
}

std::unique_ptr<DocumentWindowView> WinDocumentHost::createDocumentWindow() {
    return std::make_unique<WinDocumentWindow>(client_, instance_, newEditSize_);
}

std::unique_ptr<TextStore> WinDocumentHost::createTextStore() {
    SIZE size = newEditSize_;
    if (size.cx == 0) {
        RECT area{};
        GetClientRect(client_, &area);
        size = {area.right, area.bottom};
    }
    return std::make_unique<WinTextStore>(client_, instance_, size);
}

DocumentWindowView* WinDocumentHost::activeDocument() {
    const auto active = reinterpret_cast<HWND>(SendMessageW(client_, WM_MDIGETACTIVE, 0, 0));
    return active != nullptr ? WinDocumentWindow::ownerOf(active) : nullptr;
}

} // namespace platform::win
