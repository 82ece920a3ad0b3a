#include "frm_main.h"

#include "editor/frm_edit.h"
#include "module1.h"
#include "placement.h"
#include "platform/document_host.h"
#include "platform/status_bar.h"
#include "toolchain/frm_dialog.h"
#include "toolchain/tool_directories.h"

#include <exception>
#include <functional>

namespace app {

namespace {

const char* const SettingsSection = "Settings";

// Load steps stand alone: a step that fails has no effect and the next one runs.
void tolerating(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

} // namespace

frmMain::frmMain(Module1& module, std::unique_ptr<platform::MainWindowView> view)
    : dlgCommonDialog(module.services.fileDialogs), module_(module), view_(std::move(view)) {
    view_->setEvents(this);
    createMenus();
    createToolBar();
    createStatusBar();
}

frmMain::~frmMain() = default;

void frmMain::Show() {
    view_->show();
}

void frmMain::MDIForm_Load() {
    restorePlacement();
    readToolDirectories();
    view_->setCaption(ApplicationTitle + module_.VersionText + "版");
    view_->statusBar().setPanelText(1, "软件版本：" + module_.VersionText + "版");
}

void frmMain::restorePlacement() {
    auto& settings = module_.services.settings;
    const auto restore = [&](const char* key, const char* defaultText,
                             void (platform::MainWindowView::*apply)(float)) {
        tolerating([&] {
            const auto value = parsePlacement(
                settings.getSetting(ApplicationTitle, SettingsSection, key, defaultText));
            if (value) {
                (*view_.*apply)(*value);
            }
        });
    };
    restore("MainLeft", "1000", &platform::MainWindowView::setLeft);
    restore("MainTop", "1000", &platform::MainWindowView::setTop);
    restore("MainWidth", "6500", &platform::MainWindowView::setWidth);
    restore("MainHeight", "6500", &platform::MainWindowView::setHeight);
}

void frmMain::readToolDirectories() {
    auto& services = module_.services;
    std::string path;
    tolerating([&] { path = toolchain::chooseSetIniPath(services.location, ApplicationTitle); });
    tolerating([&] {
        const auto directories = toolchain::readSetIni(services.files, services.codePage, path);
        module_.JavaBinDir = directories.javaBinDir;
        module_.SourceDir = directories.sourceDir;
    });
    module_.SetIniPath = path;
}

bool frmMain::MDIForm_QueryClose() {
    if (!view_->documents().closeAllDocuments()) {
        return false;
    }
    MDIForm_Unload();
    return true;
}

void frmMain::MDIForm_Unload() {
    storePlacement();
}

void frmMain::storePlacement() {
    if (view_->windowState() == platform::WindowState::Minimized) {
        return;
    }
    auto& settings = module_.services.settings;
    const auto store = [&](const char* key, float value) {
        settings.saveSetting(ApplicationTitle, SettingsSection, key, formatPlacement(value));
    };
    store("MainLeft", view_->left());
    store("MainTop", view_->top());
    store("MainWidth", view_->width());
    store("MainHeight", view_->height());
}

void frmMain::mnuSet_Click() {
    module_.settingsDialog().Show();
}

void frmMain::mnuClose_Click() {
    view_->close();
}

} // namespace app
