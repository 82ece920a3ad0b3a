// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "frm_main.h"

#include "editor/frm_edit.h"
#include "files/commands/get_file_name.h"
#include "module1.h"
#include "placement.h"
#include "platform/document_host.h"
#include "platform/error.h"
#include "platform/status_bar.h"
#include "toolchain/frm_dialog.h"
#include "toolchain/tool_directories.h"

namespace app {

namespace {

const char* const SettingsSection = "Settings";

} // namespace

frmMain::frmMain(Module1& module, std::unique_ptr<platform::MainWindowView> view)
    : module_(module), view_(std::move(view)) {
    view_->setEvents(this);
    createMenus();
    toolBar_.createToolBar(view_->toolBar());
    createStatusBar();
}

frmMain::~frmMain() = default;

platform::Services& frmMain::services() {
    return module_.services;
}

editor::ProcessValues& frmMain::values() {
    return module_;
}

platform::StatusBar& frmMain::statusBar() {
    return view_->statusBar();
}

void frmMain::GetFileName() {
    files::GetFileName(*this);
}

void frmMain::Show() {
    view_->show();
}

// Each load step stands alone: a step that fails has no effect and the next one runs.
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
        platform::tolerating([&] {
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
    platform::tolerating(
        [&] { path = toolchain::chooseSetIniPath(services.location, ApplicationTitle); });
    platform::tolerating([&] {
        // A relative directory would be taken from wherever a script runs: it counts as not set.
        const auto directories = toolchain::usableDirectories(
            toolchain::readSetIni(services.files, services.codePage, path),
            services.location.directorySeparator());
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
