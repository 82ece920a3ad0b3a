// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "get_file_name.h"

#include "editor/command_context.h"
#include "editor/frm_edit.h"
#include "files/base_name.h"

namespace files {

void GetFileName(editor::CommandContext& context) {
    editor::frmEdit* document = context.ActiveForm();
    if (document == nullptr) {
        return;
    }
    document->FileName =
        baseName(document->Caption(), context.services().location.directorySeparator());
}

} // namespace files
