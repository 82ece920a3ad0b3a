// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "editor/process_values.h"
#include "platform/services.h"
#include "platform/settings_dialog_view.h"

#include <memory>
#include <string>

namespace toolchain {

// The dialog that edits the two tool directories and keeps them in Set.ini.
class frmDialog : public platform::SettingsDialogEvents {
public:
    frmDialog(editor::ProcessValues& values, platform::Services& services,
              std::unique_ptr<platform::SettingsDialogView> view);

    // Shows the dialog modally; returns when it has closed.
    void Show();

    void Form_Load() override;
    void OKButton_Click() override;
    void CancelButton_Click() override;
    void Form_Unload(bool& cancel) override;

    // Whether the dialog may close; kept from one showing to the next.
    bool CanClose = false;

    static platform::FormLayout layout();

private:
    // Makes the source folder a first start offered when OK keeps it and it is missing;
    // false, after telling the user, when it cannot be made.
    bool makeOfferedSourceDirectory(const std::string& sourceDir);
    void reportSetIniFailure(const std::string& reason);

    editor::ProcessValues& values_;
    platform::Services& services_;
    std::unique_ptr<platform::SettingsDialogView> view_;
    // The source folder this showing offered; empty when the user's own was shown.
    std::string offeredSourceDir_;
};

} // namespace toolchain
