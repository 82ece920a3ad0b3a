#include "app/frm_main.h"
#include "app/module1.h"
#include "base_name.h"
#include "editor/frm_edit.h"

namespace app {

void frmMain::GetFileName() {
    editor::frmEdit* document = ActiveForm();
    if (document == nullptr) {
        return;
    }
    document->FileName =
        files::baseName(document->Caption(), module_.services.location.directorySeparator());
}

} // namespace app
