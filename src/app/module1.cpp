#include "module1.h"

#include "frm_about.h"
#include "frm_main.h"
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

    if (JavaBinDir.empty() || SourceDir.empty()) {
        settingsDialog().Show();
    }
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
