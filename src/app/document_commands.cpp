// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "editor/command_guard.h"
#include "editor/frm_edit.h"
#include "frm_main.h"
#include "module1.h"
#include "platform/document_host.h"
#include "platform/error.h"
#include "platform/message_box.h"

#include <algorithm>
#include <limits>

namespace app {

editor::frmEdit& frmMain::NewDocument() {
    if (DocumentCount == std::numeric_limits<std::int32_t>::max()) {
        throw platform::RuntimeError(platform::ErrorNumber::Overflow, "溢出");
    }
    ++DocumentCount;
    auto document = std::make_unique<editor::frmEdit>(
        *this, view_->documents().createDocumentWindow(),
        [this](editor::frmEdit& closed) { forgetDocument(closed); });
    document->setCaption("Document " + std::to_string(DocumentCount));
    editor::frmEdit& shown = *document;
    documents_.push_back(std::move(document));
    shown.Show();
    return shown;
}

void frmMain::forgetDocument(editor::frmEdit& document) {
    const auto found = std::find_if(documents_.begin(), documents_.end(),
                                    [&](const auto& open) { return open.get() == &document; });
    if (found == documents_.end()) {
        return;
    }
    // The window is still inside its own close handling: it goes once that has returned.
    closedDocuments_.push_back(std::move(*found));
    documents_.erase(found);
    view_->runSoon([this] { closedDocuments_.clear(); });
}

editor::frmEdit* frmMain::ActiveForm() {
    platform::DocumentWindowView* active = view_->documents().activeDocument();
    const auto found = std::find_if(documents_.begin(), documents_.end(),
                                    [&](const auto& open) { return &open->view() == active; });
    return found != documents_.end() ? found->get() : nullptr;
}

void frmMain::reportNoMoreDocuments() {
    module_.services.messageBox.show("文档编号已经用完，无法再新建文档。请重新启动本系统。",
                                     platform::MsgBoxStyle::Critical, "错误提示");
}

void frmMain::mnuFileNew_Click() {
    editor::newDocumentOrTell(*this);
}

void frmMain::mnuFileShut_Click() {
    if (editor::frmEdit* document = ActiveForm()) {
        document->Close();
    }
}

} // namespace app
