// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "command_context.h"
#include "editing_commands.h"
#include "frm_edit.h"
#include "platform/error.h"
#include "platform/text_control.h"

namespace editor {

namespace {

using Getter = std::optional<bool> (platform::TextControl::*)();
using Setter = void (platform::TextControl::*)(bool);

// A selection whose characters differ has no value to negate and is left as it is; any
// failure of the control leaves the selection unchanged too.
void toggle(frmEdit* document, Getter get, Setter set) {
    if (document == nullptr) {
        return;
    }
    platform::tolerating([&] {
        auto& edit = document->txtEdit();
        if (const auto value = (edit.*get)()) {
            (edit.*set)(!*value);
        }
    });
}

void changeSize(frmEdit* document, double step) {
    if (document == nullptr) {
        return;
    }
    platform::tolerating([&] {
        auto& edit = document->txtEdit();
        if (const auto size = edit.selFontSize()) {
            edit.setSelFontSize(*size + step);
        }
    });
}

// The bound looks at the control's base size, not the selection's, so a selection can still
// shrink below it.
constexpr double SmallerBound = 8;

} // namespace

void EditingCommands::mnuBold_Click() {
    toggle(context_.ActiveForm(), &platform::TextControl::selBold,
           &platform::TextControl::setSelBold);
}

void EditingCommands::mnuItalic_Click() {
    toggle(context_.ActiveForm(), &platform::TextControl::selItalic,
           &platform::TextControl::setSelItalic);
}

void EditingCommands::mnuUnderLine_Click() {
    toggle(context_.ActiveForm(), &platform::TextControl::selUnderline,
           &platform::TextControl::setSelUnderline);
}

void EditingCommands::mnuLargen_Click() {
    changeSize(context_.ActiveForm(), +1);
}

void EditingCommands::mnuSmallen_Click() {
    frmEdit* document = context_.ActiveForm();
    if (document == nullptr) {
        return;
    }
    bool aboveBound = true; // a base size that cannot be read passes
    platform::tolerating([&] { aboveBound = document->txtEdit().fontSize() > SmallerBound; });
    if (aboveBound) {
        changeSize(document, -1);
    }
}

} // namespace editor
