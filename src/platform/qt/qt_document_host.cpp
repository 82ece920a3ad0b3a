#include "qt_document_host.h"

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

QWidget* QtDocumentHost::activeDocument() const {
    QMdiSubWindow* window = area_->currentSubWindow();
    return window != nullptr ? window->widget() : nullptr;
}

} // namespace platform::qt
