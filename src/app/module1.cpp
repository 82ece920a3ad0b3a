// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "module1.h"

#include "files/save_backup.h"
#include "frm_about.h"
#include "frm_main.h"
#include "platform/message_box.h"
#include "toolchain/frm_dialog.h"

namespace app {

Module1::Module1(platform::Services& services) : services(services) {}

Module1::~Module1() = default;

void Module1::Main() {
    JavaBinDir.clear();
    SourceDir.clear();
    VersionText = "2.0";

    mainWindow_ = std::make_unique<frmMain>(*this, services.windows.createMainWindow());
    MainWindow = mainWindow_.get();
    MainWindow->Show();
    reportInterruptedSaves();

    if (JavaBinDir.empty() || SourceDir.empty()) {
        settingsDialog().Show();
    }
}

void Module1::reportInterruptedSaves() {
    for (const files::InterruptedSave& save : files::findInterruptedSaves(services.files)) {
        services.messageBox.show("上次保存文件“" + save.documentPath +
                                     "”时程序意外中止，该文件可能不完整。保存前的原内容在“" +
                                     save.backupPath + "”。",
                                 platform::MsgBoxStyle::Exclamation, "错误提示");
        files::markReported(services.files, save);
    }
    files::removeStaleBackups(services.files, std::chrono::system_clock::now());
}

toolchain::frmDialog& Module1::settingsDialog() {
    if (!settingsDialog_) {
        settingsDialog_ = std::make_unique<toolchain::frmDialog>(
            *this, services, services.windows.createSettingsDialog());
    }
    return *settingsDialog_;
}

frmAbout& Module1::aboutBox() {
    if (!aboutBox_) {
        aboutBox_ = std::make_unique<frmAbout>(*this, services.windows.createAboutBox());
    }
    return *aboutBox_;
}

} // namespace app
