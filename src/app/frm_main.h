#pragma once

#include <memory>
#include <string>

#include "platform/main_window_view.h"

namespace app {

class Module1;

// The main window: menu bar, status bar, placement, shutdown, and every command's handler.
class frmMain : public platform::MainWindowEvents {
public:
    frmMain(Module1& module, std::unique_ptr<platform::MainWindowView> view);

    // Shows the window modeless; its first showing loads it.
    void Show();

    void MDIForm_Load() override;
    bool MDIForm_QueryClose() override;
    void MDIForm_Unload();

    // File menu
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuSet_Click();
    void mnuFileShut_Click();
    void mnuClose_Click();
    // Save menu
    void mnuFileSaveAsHtml_Click();
    // Font menu
    void mnuLargen_Click();
    void mnuSmallen_Click();
    void mnuBold_Click();
    void mnuItalic_Click();
    void mnuUnderLine_Click();
    // Commands on the menu bar
    void mnuCombile_Click();
    void mnuRunJava_Click();
    void mnuFileBuildAsHtm_Click();
    void mnuJavaViewer_Click();
    void mnuSendToExplorer_Click();
    void mnuAbout_Click();

    platform::MainWindowView& view() { return *view_; }

private:
    void createMenus();
    void createStatusBar();
    void restorePlacement();
    void readToolDirectories();
    void storePlacement();

    Module1& module_;
    std::unique_ptr<platform::MainWindowView> view_;
};

} // namespace app
