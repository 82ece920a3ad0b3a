#pragma once

#include "platform/document_host.h"

class QMdiArea;
class QWidget;

namespace platform::qt {

class QtDocumentHost : public DocumentHost {
public:
    explicit QtDocumentHost(QMdiArea* area) : area_(area) {}

    bool closeAllDocuments() override;
    std::unique_ptr<DocumentWindowView> createDocumentWindow() override;
    std::unique_ptr<TextStore> createTextStore() override;
    // The document window that commands work on. QMdiArea forgets its active window while the
    // main window is not the active one (a box just closed, a terminal took the focus), but
    // it keeps the current one, which is the same window.
    DocumentWindowView* activeDocument() override;

private:
    QMdiArea* area_;
};

} // namespace platform::qt
