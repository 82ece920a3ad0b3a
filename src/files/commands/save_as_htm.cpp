// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "editor/command_context.h"
#include "editor/document_rules.h"
#include "editor/frm_edit.h"
#include "file_commands.h"
#include "files/file_error_reporter.h"

namespace files {

void FileCommands::mnuFileSaveAsHtml_Click() {
    editor::frmEdit* document = context_.ActiveForm();
    if (document == nullptr) {
        return;
    }
    trappingFileErrors(context_.services().messageBox, [&] {
        std::string path = document->Caption();
        Retitle retitle = Retitle::AfterTheWrite;
        if (!editor::hasExtension(path, ".htm")) {
            // The default extension stays in the shared dialog for the commands after this.
            dlgCommonDialog.DefaultExt = "*.htm";
            dlgCommonDialog.FilterIndex = 1;
            path = askSavePath("保存为Html文件", "Htm网页文件(*.htm)|*.htm", *document);
            if (path.empty()) {
                return;
            }
            retitle = Retitle::BeforeTheWrite;
        }
        saveTo(path, retitle);
    });
}

} // namespace files
