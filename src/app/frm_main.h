#pragma once

#include "files/common_dialog.h"
#include "platform/main_window_view.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace editor {
class frmEdit;
}

namespace files {
struct DecodedDocument;
}

namespace app {

class Module1;

// The main window: menu bar, status bar, placement, shutdown, and every command's handler.
class frmMain : public platform::MainWindowEvents {
public:
    frmMain(Module1& module, std::unique_ptr<platform::MainWindowView> view);
    ~frmMain() override;

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
    // Toolbar
    void tbToolBar_ButtonClick(const std::string& key, int value);
    void CutText();
    void CopyText();
    void PasteText();

    // Creates, numbers and shows a new untitled document window, which becomes the active one.
    // Raises an overflow error, creating nothing, when the numbers are used up.
    editor::frmEdit& NewDocument();
    // The document window commands work on; none while no document window is open.
    editor::frmEdit* ActiveForm();
    // Sets the active document's FileName from its caption.
    void GetFileName();

    platform::MainWindowView& view() { return *view_; }

    // How many document windows this run has created.
    std::int32_t DocumentCount = 0;
    // The one file dialog that Open, Save, Save As and Save as HTM share.
    files::CommonDialog dlgCommonDialog;

private:
    // Runs a command from a menu or the toolbar; memory running out while it works ends it
    // with a message instead of ending the program.
    void surviving(const std::function<void()>& command);
    void createMenus();
    void createStatusBar();
    void createToolBar();
    void switchCaretDisplay(bool on);
    void fillAppletSkeleton();
    void restorePlacement();
    void readToolDirectories();
    void storePlacement();
    void SaveTextFile(const std::string& path);
    void LoadTextFile(const files::DecodedDocument& document);
    // Shows the shared dialog for saving the document under a new name; the chosen path. A
    // cancel raises error 32755.
    std::string askSavePath(const std::string& title, const std::string& filter,
                            const editor::frmEdit& document);
    void forgetDocument(editor::frmEdit& document);
    void reportOpenFailure(const std::string& path, const std::string& reason);
    void reportNoMoreDocuments();
    void warn(const std::string& text, const std::string& title);
    // The active document when its caption passes the two tests of a command: saved, and
    // ending in the extension. Otherwise the command's warning, and none.
    editor::frmEdit* savedDocumentWith(const std::string& extension, const std::string& unsaved,
                                       const std::string& wrongExtension);
    // Writes debug.bat with the tool line and starts it in a console in the document's folder.
    void runBuildScript(const std::string& toolLine);

    Module1& module_;
    std::unique_ptr<platform::MainWindowView> view_;
    // The open document windows; they close before the main window goes.
    std::vector<std::unique_ptr<editor::frmEdit>> documents_;
};

} // namespace app
