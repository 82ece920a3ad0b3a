#pragma once

#include <string>

namespace editor {
class CommandContext;
class frmEdit;
} // namespace editor

namespace toolchain {

// Compile, run, the applet page, the applet viewer and the browser, on the active document.
class ToolchainCommands {
public:
    explicit ToolchainCommands(editor::CommandContext& context) : context_(context) {}

    void mnuCombile_Click();
    void mnuRunJava_Click();
    void mnuFileBuildAsHtm_Click();
    void mnuJavaViewer_Click();
    void mnuSendToExplorer_Click();

private:
    void warn(const std::string& text, const std::string& title);
    // The active document when its caption passes the two tests of a command: saved, and
    // ending in the extension. Otherwise the command's warning, and none.
    editor::frmEdit* savedDocumentWith(const std::string& extension, const std::string& unsaved,
                                       const std::string& wrongExtension);
    // Writes debug.bat with the tool line and starts it in a console in the document's folder.
    void runBuildScript(const std::string& toolLine, const std::string& title);

    editor::CommandContext& context_;
};

} // namespace toolchain
