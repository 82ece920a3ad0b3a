// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "editor/command_context.h"
#include "editor/editing_commands.h"
#include "files/commands/file_commands.h"
#include "platform/main_window_view.h"
#include "toolbar/tool_bar_dispatch.h"
#include "toolchain/toolchain_commands.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace app {

class Module1;

// The main window: menu bar, status bar, placement, shutdown, and every command's handler. A
// handler of another subsystem's command forwards to that subsystem, which reaches the program
// through this window's command context.
class frmMain : public platform::MainWindowEvents,
                public editor::CommandContext,
                public toolbar::ButtonCommands {
public:
    frmMain(Module1& module, std::unique_ptr<platform::MainWindowView> view);
    ~frmMain() override;

    // Shows the window modeless; its first showing loads it.
    void Show();

    void MDIForm_Load() override;
    bool MDIForm_QueryClose() override;
    void MDIForm_Unload();

    // File menu
    void mnuFileNew_Click() override;
    void mnuFileOpen_Click() override { files_.mnuFileOpen_Click(); }
    void mnuFileSave_Click() override { files_.mnuFileSave_Click(); }
    void mnuFileSaveAs_Click() { files_.mnuFileSaveAs_Click(); }
    void mnuSet_Click();
    void mnuFileShut_Click();
    void mnuClose_Click() override;
    // Save menu
    void mnuFileSaveAsHtml_Click() { files_.mnuFileSaveAsHtml_Click(); }
    // Font menu
    void mnuLargen_Click() override { editing_.mnuLargen_Click(); }
    void mnuSmallen_Click() override { editing_.mnuSmallen_Click(); }
    void mnuBold_Click() override { editing_.mnuBold_Click(); }
    void mnuItalic_Click() override { editing_.mnuItalic_Click(); }
    void mnuUnderLine_Click() override { editing_.mnuUnderLine_Click(); }
    // Commands on the menu bar
    void mnuCombile_Click() override { toolchain_.mnuCombile_Click(); }
    void mnuRunJava_Click() override { toolchain_.mnuRunJava_Click(); }
    void mnuFileBuildAsHtm_Click() { toolchain_.mnuFileBuildAsHtm_Click(); }
    void mnuJavaViewer_Click() override { toolchain_.mnuJavaViewer_Click(); }
    void mnuSendToExplorer_Click() override { toolchain_.mnuSendToExplorer_Click(); }
    void mnuAbout_Click();
    // Toolbar
    void tbToolBar_ButtonClick(const std::string& key, int value) {
        toolBar_.tbToolBar_ButtonClick(key, value);
    }
    void CutText() override { editing_.CutText(); }
    void CopyText() override { editing_.CopyText(); }
    void PasteText() override { editing_.PasteText(); }

    // The command context
    platform::Services& services() override;
    editor::ProcessValues& values() override;
    platform::StatusBar& statusBar() override;
    editor::frmEdit& NewDocument() override;
    editor::frmEdit* ActiveForm() override;
    void reportNoMoreDocuments() override;
    // Sets the active document's FileName from its caption.
    void GetFileName();

    platform::MainWindowView& view() { return *view_; }
    platform::MainWindowView& mainWindow() override { return *view_; }

    // How many document windows this run has created.
    std::int32_t DocumentCount = 0;

private:
    void createMenus();
    void createStatusBar();
    void restorePlacement();
    void readToolDirectories();
    void storePlacement();
    void forgetDocument(editor::frmEdit& document);

    Module1& module_;
    std::unique_ptr<platform::MainWindowView> view_;
    // The open document windows; they close before the main window goes.
    std::vector<std::unique_ptr<editor::frmEdit>> documents_;
    // Windows that have closed, kept until their own close handling has returned.
    std::vector<std::unique_ptr<editor::frmEdit>> closedDocuments_;

    files::FileCommands files_{*this};
    editor::EditingCommands editing_{*this};
    toolchain::ToolchainCommands toolchain_{*this};
    toolbar::ToolBarDispatch toolBar_{*this, *this};
};

} // namespace app
