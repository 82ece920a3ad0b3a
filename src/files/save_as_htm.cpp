#include "app/frm_main.h"
#include "app/module1.h"
#include "editor/document_rules.h"
#include "editor/frm_edit.h"

namespace app {

void frmMain::mnuFileSaveAsHtml_Click() {
    editor::frmEdit* document = ActiveForm();
    if (document == nullptr) {
        return;
    }
    try {
        std::string path = document->Caption();
        if (!editor::hasExtension(path, ".htm")) {
            dlgCommonDialog.DialogTitle = "保存为Html文件";
            dlgCommonDialog.CancelError = true;
            dlgCommonDialog.Filter = "Htm网页文件(*.htm)|*.htm";
            dlgCommonDialog.InitDir = module_.SourceDir;
            dlgCommonDialog.DefaultExt = "*.htm";
            dlgCommonDialog.FilterIndex = 1;
            dlgCommonDialog.FileName = document->FileName;
            dlgCommonDialog.ShowSave();
            if (dlgCommonDialog.FileName.empty()) {
                return;
            }
            path = dlgCommonDialog.FileName;
            document->setCaption(path);
        }
        SaveTextFile(path);
        document->Changed = false;
        GetFileName();
    } catch (const platform::RuntimeError& error) {
        module_.ReportFileError(error);
    }
}

} // namespace app
