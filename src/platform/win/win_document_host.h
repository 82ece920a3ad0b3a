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
    // Text gathered as the edit control takes it, line ends and all.
    std::unique_ptr<TextStore> createTextStore() override;
    DocumentWindowView* activeDocument() override;

private:
    HWND client_;
    HINSTANCE instance_;
};

} // namespace platform::win
