// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "common_dialog.h"

#include "platform/error.h"

namespace files {

platform::FileDialogRequest CommonDialog::request() const {
    return {DialogTitle, Filter, FilterIndex, InitDir, DefaultExt, FileName};
}

void CommonDialog::take(const std::optional<std::string>& chosen) {
    if (chosen) {
        FileName = *chosen;
    } else if (CancelError) {
        throw platform::RuntimeError(platform::ErrorNumber::DialogCancelled, "选择了“取消”。");
    }
}

void CommonDialog::ShowOpen() {
    take(dialogs_.showOpen(request()));
}

void CommonDialog::ShowSave() {
    take(dialogs_.showSave(request()));
}

} // namespace files
