// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

namespace editor {

class CommandContext;

// Character formatting and the clipboard on the active document's selection. A step that fails
// has no effect and the next one runs, without a message.
class EditingCommands {
public:
    explicit EditingCommands(CommandContext& context) : context_(context) {}

    void mnuBold_Click();
    void mnuItalic_Click();
    void mnuUnderLine_Click();
    void mnuLargen_Click();
    void mnuSmallen_Click();

    void CutText();
    void CopyText();
    void PasteText();

private:
    CommandContext& context_;
};

} // namespace editor
