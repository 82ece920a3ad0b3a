// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "files/common_dialog.h"
#include "files/document_file.h"
#include "files/document_text.h"
#include "platform/document_window_view.h"
#include "platform/status_bar.h"
#include "platform/text_control.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace editor {

class CommandContext;

// One document's window: its text control, its record, its own save dialog, and the save
// question when it closes.
class frmEdit : public platform::DocumentWindowEvents, public platform::TextControlEvents {
public:
    using ClosedHandler = std::function<void(frmEdit&)>;

    // Creating the window loads it.
    frmEdit(CommandContext& context, std::unique_ptr<platform::DocumentWindowView> view,
            ClosedHandler closed);

    // The record the commands read and write.
    bool Changed = false;
    bool LineRow = false;
    std::string FileName;
    // The encoding the document's file is written in: the one it was read in, or the system's
    // code page for a document that has no file yet.
    files::DocumentEncoding Encoding;
    // The file as this window last read or wrote it, so that a save notices another program's
    // change; nothing while the document has no file.
    std::optional<files::FileOnDisk> OnDisk;

    std::string Caption() const { return view_->caption(); }
    void setCaption(const std::string& caption) { view_->setCaption(caption); }
    platform::TextControl& txtEdit() const { return view_->textControl(); }
    platform::DocumentWindowView& view() const { return *view_; }

    void Show() { view_->show(); }
    // Closes the window as its close box does; false when it stayed open.
    bool Close() { return view_->close(); }

    void Form_Load();
    void Form_Resize() override;
    void Form_Unload(bool& cancel) override;
    void Form_Closed() override;

    void txtEdit_Change() override;
    void txtEdit_Click() override;
    void txtEdit_KeyUp(int keyCode, int shift) override;
    void txtEdit_LostFocus() override;

    files::CommonDialog CommonDialog1;

private:
    // Where a changed document goes when the user wants it saved at closing; empty when the
    // user cancelled the dialog.
    std::string pathForClosingSave();

    CommandContext& context_;
    std::unique_ptr<platform::DocumentWindowView> view_;
    ClosedHandler closed_;
};

// Empties the status bar's line and column panels.
void clearCaretDisplay(platform::StatusBar& bar);

// The caret display button: on, the active document shows its caret's line and column from
// its next click or key; off, it stops and the panels empty.
void switchCaretDisplay(CommandContext& context, bool on);

} // namespace editor
