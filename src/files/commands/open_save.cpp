// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "editor/command_context.h"
#include "editor/command_guard.h"
#include "editor/document_rules.h"
#include "editor/frm_edit.h"
#include "file_commands.h"
#include "files/document_load.h"
#include "files/file_error_reporter.h"
#include "get_file_name.h"
#include "platform/document_host.h"
#include "platform/message_box.h"

#include <new>

namespace files {

FileCommands::FileCommands(editor::CommandContext& context)
    : dlgCommonDialog(context.services().fileDialogs), context_(context) {}

bool FileCommands::SaveTextFile(const std::string& path) {
    editor::frmEdit& document = *context_.ActiveForm();
    return saveDocument(context_.services(), document.txtEdit(), document.Encoding, document.OnDisk,
                        path) == DocumentSave::Saved;
}

void FileCommands::LoadTextFile(platform::TextStore& text, const DocumentEncoding& encoding,
                                const FileOnDisk& onDisk) {
    editor::frmEdit& document = *context_.ActiveForm();
    document.txtEdit().adoptText(text);
    document.Encoding = encoding;
    document.OnDisk = onDisk;
}

void FileCommands::saveTo(const std::string& path, Retitle retitle) {
    editor::frmEdit& document = *context_.ActiveForm();
    if (retitle == Retitle::BeforeTheWrite) {
        document.setCaption(path);
    }
    if (!SaveTextFile(path)) {
        return;
    }
    if (retitle == Retitle::AfterTheWrite) {
        document.setCaption(path);
    }
    document.Changed = false;
    GetFileName(context_);
}

void FileCommands::reportOpenFailure(const std::string& path, const std::string& reason) {
    context_.services().messageBox.show("无法打开文件“" + path + "”：" + reason,
                                        platform::MsgBoxStyle::Critical, "错误处理");
}

void FileCommands::mnuFileOpen_Click() {
    dlgCommonDialog.DialogTitle = "打开";
    dlgCommonDialog.CancelError = false;
    dlgCommonDialog.Filter = editor::SourceFilter;
    dlgCommonDialog.FilterIndex = 1;
    dlgCommonDialog.InitDir = context_.values().SourceDir;
    dlgCommonDialog.FileName.clear();
    dlgCommonDialog.ShowOpen();
    if (dlgCommonDialog.FileName.empty()) {
        return;
    }
    const std::string path = dlgCommonDialog.FileName;

    // Read first: a file that cannot be read, or whose loading the user cancels, gets no
    // window, which a later Save would use to write an empty text over it. The text goes
    // straight into the storage the new window's edit control takes over.
    platform::MainWindowView& window = context_.mainWindow();
    std::unique_ptr<platform::TextStore> text = window.documents().createTextStore();
    DocumentEncoding encoding;
    FileOnDisk onDisk;
    try {
        DocumentLoad load(context_.services(), path, *text);
        if (!window.runStepwise(loadProgress(path), load)) {
            return;
        }
        encoding = load.encoding();
        onDisk = {path, load.stamp()};
    } catch (const platform::RuntimeError& error) {
        reportOpenFailure(path, error.description());
        return;
    } catch (const std::bad_alloc&) {
        text.reset();
        reportOpenFailure(path, FileTooLargeText);
        return;
    }
    editor::frmEdit* document = nullptr;
    try {
        document = editor::newDocumentOrTell(context_);
        if (document == nullptr) {
            return;
        }
    } catch (const std::bad_alloc&) {
        text.reset();
        reportOpenFailure(path, FileTooLargeText);
        return;
    }
    try {
        document->setCaption(path);
        document->txtEdit().setText("");
        LoadTextFile(*text, encoding, onDisk);
    } catch (const std::bad_alloc&) {
        // A window holding part of the file, or none of it, would write that over the file at
        // the next Save: it goes again, unasked.
        document->Changed = false;
        document->Close();
        text.reset();
        reportOpenFailure(path, FileTooLargeText);
        return;
    }
    document->Changed = false;
    GetFileName(context_);
}

std::string FileCommands::askSavePath(const std::string& title, const std::string& filter,
                                      const editor::frmEdit& document) {
    dlgCommonDialog.DialogTitle = title;
    dlgCommonDialog.CancelError = true;
    dlgCommonDialog.Filter = filter;
    dlgCommonDialog.InitDir = context_.values().SourceDir;
    dlgCommonDialog.FileName = document.FileName;
    dlgCommonDialog.ShowSave(); // a cancel raises into the caller's trap
    return dlgCommonDialog.FileName;
}

void FileCommands::mnuFileSave_Click() {
    editor::frmEdit* document = context_.ActiveForm();
    if (document == nullptr) {
        return;
    }
    trappingFileErrors(context_.services().messageBox, [&] {
        std::string path;
        if (editor::isUntitled(document->Caption())) {
            path = askSavePath("保存", editor::SourceFilter, *document);
            if (path.empty()) {
                return;
            }
        } else {
            path = document->Caption();
        }
        saveTo(path, Retitle::AfterTheWrite);
    });
}

void FileCommands::mnuFileSaveAs_Click() {
    editor::frmEdit* document = context_.ActiveForm();
    if (document == nullptr) {
        return;
    }
    trappingFileErrors(context_.services().messageBox, [&] {
        const std::string path = askSavePath("另存为", editor::SourceFilter, *document);
        if (path.empty()) {
            return;
        }
        saveTo(path, Retitle::BeforeTheWrite);
    });
}

} // namespace files
