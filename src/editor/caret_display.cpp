// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "command_context.h"
#include "frm_edit.h"
#include "platform/status_bar.h"

namespace editor {

namespace {

constexpr int LinePanel = 2;
constexpr int ColumnPanel = 3;

} // namespace

void frmEdit::txtEdit_Click() {
    if (!LineRow) {
        return;
    }
    // The control knows the caret's line and column directly, so a key at the end of a long
    // document costs what one at its start does. Numbers past 16 bits show as they are.
    const platform::CaretPosition caret = txtEdit().selStartPosition();
    auto& bar = context_.statusBar();
    bar.setPanelText(LinePanel, "行：" + std::to_string(caret.line));
    bar.setPanelText(ColumnPanel, "列：" + std::to_string(caret.column));
}

void frmEdit::txtEdit_KeyUp(int, int) {
    txtEdit_Click();
}

void frmEdit::txtEdit_LostFocus() {
    clearCaretDisplay(context_.statusBar());
}

void clearCaretDisplay(platform::StatusBar& bar) {
    bar.setPanelText(LinePanel, "");
    bar.setPanelText(ColumnPanel, "");
}

void switchCaretDisplay(CommandContext& context, bool on) {
    frmEdit* document = context.ActiveForm();
    if (on) {
        if (document != nullptr) {
            document->LineRow = true;
        }
        return;
    }
    if (document != nullptr) {
        document->LineRow = false;
    }
    clearCaretDisplay(context.statusBar());
}

} // namespace editor
