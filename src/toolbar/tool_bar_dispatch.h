// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/tool_bar.h"

#include <string>

namespace editor {
class CommandContext;
}

namespace toolbar {

// The main window's handlers that buttons call: a button runs the very handler its menu item
// runs, so both behave alike.
class ButtonCommands {
public:
    virtual ~ButtonCommands() = default;
    virtual void mnuFileNew_Click() = 0;
    virtual void mnuFileOpen_Click() = 0;
    virtual void mnuFileSave_Click() = 0;
    virtual void CutText() = 0;
    virtual void CopyText() = 0;
    virtual void PasteText() = 0;
    virtual void mnuBold_Click() = 0;
    virtual void mnuItalic_Click() = 0;
    virtual void mnuUnderLine_Click() = 0;
    virtual void mnuLargen_Click() = 0;
    virtual void mnuSmallen_Click() = 0;
    virtual void mnuSendToExplorer_Click() = 0;
    virtual void mnuCombile_Click() = 0;
    virtual void mnuRunJava_Click() = 0;
    virtual void mnuJavaViewer_Click() = 0;
    virtual void mnuClose_Click() = 0;
};

// The toolbar's buttons and what a click on each does.
class ToolBarDispatch {
public:
    ToolBarDispatch(ButtonCommands& commands, editor::CommandContext& context)
        : commands_(commands), context_(context) {}

    // Puts the images and buttons on the bar and routes its clicks here.
    void createToolBar(platform::ToolBar& bar);
    void tbToolBar_ButtonClick(const std::string& key, int value);

private:
    void fillAppletSkeleton();

    ButtonCommands& commands_;
    editor::CommandContext& context_;
};

} // namespace toolbar
