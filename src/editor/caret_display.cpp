#include "app/frm_main.h"
#include "app/module1.h"
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
    auto& bar = module_.MainWindow->view().statusBar();
    bar.setPanelText(LinePanel, "行：" + std::to_string(caret.line));
    bar.setPanelText(ColumnPanel, "列：" + std::to_string(caret.column));
}

void frmEdit::txtEdit_KeyUp(int, int) {
    txtEdit_Click();
}

void frmEdit::txtEdit_LostFocus() {
    clearCaretDisplay(module_);
}

void clearCaretDisplay(app::Module1& module) {
    auto& bar = module.MainWindow->view().statusBar();
    bar.setPanelText(LinePanel, "");
    bar.setPanelText(ColumnPanel, "");
}

} // namespace editor
