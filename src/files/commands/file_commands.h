// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "files/common_dialog.h"
#include "files/document_file.h"
#include "files/document_text.h"

#include <string>

namespace editor {
class CommandContext;
class frmEdit;
} // namespace editor

namespace files {

// Open, Save, Save As and Save as HTM page on the active document, through the one file dialog
// they share.
class FileCommands {
public:
    explicit FileCommands(editor::CommandContext& context);

    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileSaveAsHtml_Click();

    // The one file dialog these commands share: a field one command does not set keeps what
    // the one before left in it.
    CommonDialog dlgCommonDialog;

private:
    // When a save command gives the window its new caption: Save once the file is written,
    // Save As and Save as HTM before.
    enum class Retitle { BeforeTheWrite, AfterTheWrite };

    // Writes the active document to path; false when the user kept another program's change
    // of the file.
    bool SaveTextFile(const std::string& path);
    void LoadTextFile(platform::TextStore& text, const DocumentEncoding& encoding,
                      const FileOnDisk& onDisk);
    // The end every save command shares: the caption, the write, and the record after it.
    void saveTo(const std::string& path, Retitle retitle);
    // Shows the shared dialog for saving the document under a new name; the chosen path. A
    // cancel raises error 32755.
    std::string askSavePath(const std::string& title, const std::string& filter,
                            const editor::frmEdit& document);
    void reportOpenFailure(const std::string& path, const std::string& reason);

    editor::CommandContext& context_;
};

} // namespace files
