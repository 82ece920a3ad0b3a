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
    module_.trappingFileErrors([&] {
        std::string path = document->Caption();
        if (!editor::hasExtension(path, ".htm")) {
            // The default extension stays in the shared dialog for the commands after this.
            dlgCommonDialog.DefaultExt = "*.htm";
            dlgCommonDialog.FilterIndex = 1;
            path = askSavePath("保存为Html文件", "Htm网页文件(*.htm)|*.htm", *document);
            if (path.empty()) {
                return;
            }
            document->setCaption(path);
        }
        SaveTextFile(path);
        document->Changed = false;
        GetFileName();
    });
}

} // namespace app
