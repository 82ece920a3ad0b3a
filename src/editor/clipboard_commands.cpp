// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "command_context.h"
#include "document_rules.h"
#include "editing_commands.h"
#include "frm_edit.h"
#include "platform/error.h"

namespace editor {

void EditingCommands::CutText() {
    frmEdit* document = context_.ActiveForm();
    if (document == nullptr) {
        return;
    }
    auto& clipboard = context_.services().clipboard;
    platform::tolerating([&] { clipboard.setText(document->txtEdit().selText()); });
    platform::tolerating([&] { document->txtEdit().setSelText(""); });
}

void EditingCommands::CopyText() {
    frmEdit* document = context_.ActiveForm();
    if (document == nullptr) {
        return;
    }
    bool empty = false;
    platform::tolerating([&] { empty = document->txtEdit().selLength() == 0; });
    if (empty) {
        return;
    }
    auto& clipboard = context_.services().clipboard;
    platform::tolerating([&] { clipboard.setText(document->txtEdit().selText()); });
}

void EditingCommands::PasteText() {
    std::string text;
    platform::tolerating([&] { text = controlText(context_.services().clipboard.text()); });
    if (frmEdit* document = context_.ActiveForm()) {
        platform::tolerating([&] { document->txtEdit().setSelText(text); });
    }
}

} // namespace editor
