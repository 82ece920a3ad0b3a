#include "app/frm_main.h"
#include "frm_edit.h"
#include "platform/text_control.h"

#include <exception>

namespace app {

namespace {

using Getter = std::optional<bool> (platform::TextControl::*)();
using Setter = void (platform::TextControl::*)(bool);

// A selection whose characters differ has no value to negate and is left as it is; any
// failure of the control leaves the selection unchanged too.
void toggle(editor::frmEdit* document, Getter get, Setter set) {
    if (document == nullptr) {
        return;
    }
    try {
        auto& edit = document->txtEdit();
        if (const auto value = (edit.*get)()) {
            (edit.*set)(!*value);
        }
    } catch (const std::exception&) {
    }
}

void changeSize(editor::frmEdit* document, double step) {
    if (document == nullptr) {
        return;
    }
    try {
        auto& edit = document->txtEdit();
        if (const auto size = edit.selFontSize()) {
            edit.setSelFontSize(*size + step);
        }
    } catch (const std::exception&) {
    }
}

// The bound looks at the control's base size, not the selection's, so a selection can still
// shrink below it.
constexpr double SmallerBound = 8;

} // namespace

void frmMain::mnuBold_Click() {
    toggle(ActiveForm(), &platform::TextControl::selBold, &platform::TextControl::setSelBold);
}

void frmMain::mnuItalic_Click() {
    toggle(ActiveForm(), &platform::TextControl::selItalic, &platform::TextControl::setSelItalic);
}

void frmMain::mnuUnderLine_Click() {
    toggle(ActiveForm(), &platform::TextControl::selUnderline,
           &platform::TextControl::setSelUnderline);
}

void frmMain::mnuLargen_Click() {
    changeSize(ActiveForm(), +1);
}

void frmMain::mnuSmallen_Click() {
    editor::frmEdit* document = ActiveForm();
    if (document == nullptr) {
        return;
    }
    bool aboveBound = true; // a base size that cannot be read passes
    try {
        aboveBound = document->txtEdit().fontSize() > SmallerBound;
    } catch (const std::exception&) {
    }
    if (aboveBound) {
        changeSize(document, -1);
    }
}

} // namespace app
