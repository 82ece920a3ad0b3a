#include "app/frm_main.h"
#include "app/module1.h"
#include "document_file.h"
#include "document_load.h"
#include "editor/document_rules.h"
#include "editor/frm_edit.h"
#include "platform/document_host.h"
#include "platform/message_box.h"

#include <new>

namespace app {

void frmMain::SaveTextFile(const std::string& path) {
    editor::frmEdit& document = *ActiveForm();
    files::writeDocumentFile(module_.services, document.txtEdit(), document.Encoding, path);
}

void frmMain::LoadTextFile(platform::TextStore& text, const files::DocumentEncoding& encoding) {
    editor::frmEdit& document = *ActiveForm();
    document.txtEdit().adoptText(text);
    document.Encoding = encoding;
}

void frmMain::reportOpenFailure(const std::string& path, const std::string& reason) {
    module_.services.messageBox.show("无法打开文件“" + path + "”：" + reason,
                                     platform::MsgBoxStyle::Critical, "错误处理");
}

void frmMain::mnuFileOpen_Click() {
    dlgCommonDialog.DialogTitle = "打开";
    dlgCommonDialog.CancelError = false;
    dlgCommonDialog.Filter = editor::SourceFilter;
    dlgCommonDialog.FilterIndex = 1;
    dlgCommonDialog.InitDir = module_.SourceDir;
    dlgCommonDialog.FileName.clear();
    dlgCommonDialog.ShowOpen();
    if (dlgCommonDialog.FileName.empty()) {
        return;
    }
    const std::string path = dlgCommonDialog.FileName;

    // Read first: a file that cannot be read, or whose loading the user cancels, gets no
    // window, which a later Save would use to write an empty text over it. The text goes
    // straight into the storage the new window's edit control takes over.
    std::unique_ptr<platform::TextStore> text = view_->documents().createTextStore();
    files::DocumentEncoding encoding;
    try {
        files::DocumentLoad load(module_.services, path, *text);
        if (!view_->runStepwise(files::loadProgress(path), load)) {
            return;
        }
        encoding = load.encoding();
    } catch (const platform::RuntimeError& error) {
        reportOpenFailure(path, error.description());
        return;
    } catch (const std::bad_alloc&) {
        text.reset();
        reportOpenFailure(path, files::FileTooLargeText);
        return;
    }
    try {
        NewDocument();
    } catch (const platform::RuntimeError&) {
        reportNoMoreDocuments();
        return;
    }
    editor::frmEdit& document = *ActiveForm();
    document.setCaption(path);
    document.txtEdit().setText("");
    LoadTextFile(*text, encoding);
    document.Changed = false;
    GetFileName();
}

std::string frmMain::askSavePath(const std::string& title, const std::string& filter,
                                 const editor::frmEdit& document) {
    dlgCommonDialog.DialogTitle = title;
    dlgCommonDialog.CancelError = true;
    dlgCommonDialog.Filter = filter;
    dlgCommonDialog.InitDir = module_.SourceDir;
    dlgCommonDialog.FileName = document.FileName;
    dlgCommonDialog.ShowSave(); // a cancel raises into the caller's trap
    return dlgCommonDialog.FileName;
}

void frmMain::mnuFileSave_Click() {
    editor::frmEdit* document = ActiveForm();
    if (document == nullptr) {
        return;
    }
    try {
        std::string path;
        if (editor::isUntitled(document->Caption())) {
            path = askSavePath("保存", editor::SourceFilter, *document);
            if (path.empty()) {
                return;
            }
        } else {
            path = document->Caption();
        }
        SaveTextFile(path);
        document->setCaption(path);
        document->Changed = false;
        GetFileName();
    } catch (const platform::RuntimeError& error) {
        module_.ReportFileError(error);
    }
}

void frmMain::mnuFileSaveAs_Click() {
    editor::frmEdit* document = ActiveForm();
    if (document == nullptr) {
        return;
    }
    try {
        const std::string path = askSavePath("另存为", editor::SourceFilter, *document);
        if (path.empty()) {
            return;
        }
        document->setCaption(path);
        SaveTextFile(path);
        document->Changed = false;
        GetFileName();
    } catch (const platform::RuntimeError& error) {
        module_.ReportFileError(error);
    }
}

} // namespace app
