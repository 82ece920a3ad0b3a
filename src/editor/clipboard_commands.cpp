#include "app/frm_main.h"
#include "app/module1.h"
#include "document_rules.h"
#include "frm_edit.h"

#include <exception>
#include <functional>

namespace app {

namespace {

// A step that fails has no effect and the next step runs.
void step(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception&) {
    }
}

} // namespace

void frmMain::CutText() {
    editor::frmEdit* document = ActiveForm();
    if (document == nullptr) {
        return;
    }
    step([&] { module_.services.clipboard.setText(document->txtEdit().selText()); });
    step([&] { document->txtEdit().setSelText(""); });
}

void frmMain::CopyText() {
    editor::frmEdit* document = ActiveForm();
    if (document == nullptr) {
        return;
    }
    bool empty = false;
    step([&] { empty = document->txtEdit().selLength() == 0; });
    if (empty) {
        return;
    }
    step([&] { module_.services.clipboard.setText(document->txtEdit().selText()); });
}

void frmMain::PasteText() {
    std::string text;
    step([&] { text = editor::controlText(module_.services.clipboard.text()); });
    if (editor::frmEdit* document = ActiveForm()) {
        step([&] { document->txtEdit().setSelText(text); });
    }
}

} // namespace app
