#include "app/frm_main.h"
#include "app/module1.h"
#include "document_file.h"
#include "editor/document_rules.h"
#include "editor/frm_edit.h"
#include "platform/error.h"
#include "platform/message_box.h"

#include <new>

namespace app {

void frmMain::SaveTextFile(const std::string& path) {
    editor::frmEdit& document = *ActiveForm();
    files::writeDocumentFile(module_.services, document.txtEdit(), document.Encoding, path);
}

void frmMain::LoadTextFile(const files::DecodedDocument& file) {
    editor::frmEdit& document = *ActiveForm();
    document.txtEdit().setText(file.text);
    document.Encoding = file.encoding;
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

    // Read first: a file that cannot be read gets no window, which a later Save would use to
    // write an empty text over it.
    files::DecodedDocument file;
    try {
        file = files::readDocumentFile(module_.services, path);
    } catch (const platform::RuntimeError& error) {
        reportOpenFailure(path, error.description());
        return;
    } catch (const std::bad_alloc&) {
        reportOpenFailure(path, platform::outOfMemoryError().description());
        return;
    }
    editor::frmEdit* document = nullptr;
    try {
        document = &NewDocument();
    } catch (const platform::RuntimeError&) {
        reportNoMoreDocuments();
        return;
    } catch (const std::bad_alloc&) {
        reportOpenFailure(path, platform::outOfMemoryError().description());
        return;
    }
    try {
        document->setCaption(path);
        document->txtEdit().setText("");
        LoadTextFile(file);
    } catch (const std::bad_alloc&) {
        // A window holding part of the file, or none of it, would write that over the file at
        // the next Save: it goes again, unasked.
        document->Changed = false;
        document->Close();
        reportOpenFailure(path, platform::outOfMemoryError().description());
        return;
    }
    document->Changed = false;
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
    module_.trappingFileErrors([&] {
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
    });
}

void frmMain::mnuFileSaveAs_Click() {
    editor::frmEdit* document = ActiveForm();
    if (document == nullptr) {
        return;
    }
    module_.trappingFileErrors([&] {
        const std::string path = askSavePath("另存为", editor::SourceFilter, *document);
        if (path.empty()) {
            return;
        }
        document->setCaption(path);
        SaveTextFile(path);
        document->Changed = false;
        GetFileName();
    });
}

} // namespace app
