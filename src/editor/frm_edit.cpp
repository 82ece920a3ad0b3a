// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "frm_edit.h"

#include "command_context.h"
#include "document_rules.h"
#include "files/document_file.h"
#include "files/file_error_reporter.h"
#include "platform/error.h"
#include "platform/message_box.h"

namespace editor {

frmEdit::frmEdit(CommandContext& context, std::unique_ptr<platform::DocumentWindowView> view,
                 ClosedHandler closed)
    : CommonDialog1(context.services().fileDialogs), context_(context), view_(std::move(view)),
      closed_(std::move(closed)) {
    view_->setEvents(this);
    view_->textControl().setEvents(this);
    Form_Load();
}

void frmEdit::Form_Load() {
    Changed = false;
    FileName.clear();
    setCaption(ApplicationTitle + context_.values().VersionText + "版--文本编辑器");
    LineRow = false;
    Encoding = files::encodingForNewDocument(context_.services().codePage);
}

void frmEdit::Form_Resize() {
    const float width = view_->width();
    const float height = view_->height();
    float editWidth = width;
    float editHeight = height;
    if (width > 500) {
        editWidth = width - 100;
    }
    if (height > 500) {
        editHeight = height - 400;
    }
    view_->setTextControlBounds(0, 0, editWidth, editHeight);
}

void frmEdit::txtEdit_Change() {
    Changed = true;
}

std::string frmEdit::pathForClosingSave() {
    if (!isUntitled(Caption())) {
        return Caption();
    }
    CommonDialog1.DialogTitle = "保存";
    CommonDialog1.CancelError = false;
    CommonDialog1.Filter = SourceFilter;
    CommonDialog1.InitDir = context_.values().SourceDir;
    // The dialog proposes no name: a failed save before must not suggest its path again.
    CommonDialog1.FileName.clear();
    CommonDialog1.ShowSave();
    return CommonDialog1.FileName;
}

void frmEdit::Form_Unload(bool& cancel) {
    if (!Changed) {
        return;
    }
    const bool saved = files::trappingFileErrors(context_.services().messageBox, [&] {
        // Exit asks for each changed document in turn: the one asked about stands in front.
        view_->bringToFront();
        const int answer = context_.services().messageBox.show(
            "文本已改变，是否保存？",
            platform::MsgBoxStyle::YesNo | platform::MsgBoxStyle::Question, "关闭文件 提示");
        if (answer == platform::MsgBoxResult::No) {
            return;
        }
        const std::string path = pathForClosingSave();
        if (path.empty()) {
            cancel = true;
            return;
        }
        // Keeping another program's change keeps the window, and with it the text.
        if (files::saveDocument(context_.services(), txtEdit(), Encoding, OnDisk, path) ==
            files::DocumentSave::KeptOthersChange) {
            cancel = true;
        }
    });
    // A failed save keeps the window and its text, so nothing typed is lost.
    if (!saved) {
        cancel = true;
    }
}

void frmEdit::Form_Closed() {
    if (closed_) {
        closed_(*this);
    }
}

} // namespace editor
