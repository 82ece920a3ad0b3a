// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

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
    // Whether the document's path may go to a tool or into a script: plain text, so that no
    // line break or other control character can end a line or an argument. Otherwise the
    // user is told which file, shown safely.
    bool mayReachTools(const std::string& path);
    // Writes debug.bat with the tool line, which names the file or class name, and starts it
    // in a console in the document's folder; refuses a line the system code page cannot hold.
    void runBuildScript(const std::string& name, const std::string& toolLine,
                        const std::string& title);
    char directorySeparator();

    editor::CommandContext& context_;
};

} // namespace toolchain
