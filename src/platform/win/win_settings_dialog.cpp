// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_settings_dialog.h"

namespace platform::win {

namespace {

constexpr int Text1Id = 1001;
constexpr int Text2Id = 1002;
// Not IDCANCEL: Esc asks to close, as the close box does, rather than pressing Cancel.
constexpr int CancelId = 1003;

} // namespace

WinFormDialog::ControlKind WinSettingsDialog::kindOf(const std::string& name) const {
    if (name == "OKButton") {
        return {L"Button", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK};
    }
    if (name == "CancelButton") {
        return {L"Button", WS_TABSTOP | BS_PUSHBUTTON, CancelId};
    }
    if (name == "Text1" || name == "Text2") {
        return {L"Edit", WS_TABSTOP | ES_AUTOHSCROLL, name == "Text1" ? Text1Id : Text2Id};
    }
    return {L"Static", SS_LEFT | SS_NOPREFIX, -1};
}

void WinSettingsDialog::showModal() {
    if (events_ != nullptr) {
        events_->Form_Load();
    }
    runModal(owner_());
}

bool WinSettingsDialog::opened() {
    // The OK button comes first in the tab order: it has the focus when the dialog opens.
    SetFocus(controlWindow("OKButton"));
    return true;
}

void WinSettingsDialog::command(int id, int code, HWND) {
    if (code != BN_CLICKED || events_ == nullptr) {
        return;
    }
    if (id == IDOK) {
        events_->OKButton_Click();
    } else if (id == CancelId) {
        events_->CancelButton_Click();
    }
}

void WinSettingsDialog::closeRequested() {
    bool cancel = false;
    if (events_ != nullptr) {
        events_->Form_Unload(cancel);
    }
    if (!cancel) {
        end();
    }
}

} // namespace platform::win
