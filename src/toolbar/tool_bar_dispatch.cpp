// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "tool_bar_dispatch.h"

#include "editor/command_context.h"
#include "editor/command_guard.h"
#include "editor/document_rules.h"
#include "editor/frm_edit.h"
#include "platform/error.h"
#include "tool_bar_table.h"

#include <functional>
#include <map>

namespace toolbar {

void ToolBarDispatch::createToolBar(platform::ToolBar& bar) {
    bar.setImages(toolImages());
    for (const auto& button : toolButtons()) {
        bar.addButton(button);
    }
    bar.setClickHandler(
        [this](const std::string& key, int value) { tbToolBar_ButtonClick(key, value); });
}

void ToolBarDispatch::fillAppletSkeleton() {
    if (editor::frmEdit* document = context_.ActiveForm()) {
        document->txtEdit().setText(editor::controlText(appletSkeleton()));
    }
}

void ToolBarDispatch::tbToolBar_ButtonClick(const std::string& key, int value) {
    ButtonCommands& c = commands_;
    // Keys compare exactly, letter case included; a key that is not here does nothing.
    const std::map<std::string, std::function<void()>> actions = {
        {"新建", [&c] { c.mnuFileNew_Click(); }},
        {"打开", [&c] { c.mnuFileOpen_Click(); }},
        {"保存", [&c] { c.mnuFileSave_Click(); }},
        {"剪切", [&c] { c.CutText(); }},
        {"复制", [&c] { c.CopyText(); }},
        {"粘贴", [&c] { c.PasteText(); }},
        {"粗体", [&c] { c.mnuBold_Click(); }},
        {"斜体", [&c] { c.mnuItalic_Click(); }},
        {"下划线", [&c] { c.mnuUnderLine_Click(); }},
        {"字体增大", [&c] { c.mnuLargen_Click(); }},
        {"字体缩小", [&c] { c.mnuSmallen_Click(); }},
        {"行号列号", [this, value] { editor::switchCaretDisplay(context_, value != 0); }},
        {"Java", [this] { fillAppletSkeleton(); }},
        {"IE", [&c] { c.mnuSendToExplorer_Click(); }},
        {"编译", [&c] { c.mnuCombile_Click(); }},
        {"运行", [&c] { c.mnuRunJava_Click(); }},
        {"运行Applet", [&c] { c.mnuJavaViewer_Click(); }},
        {"退出系统", [&c] { c.mnuClose_Click(); }},
    };
    const auto action = actions.find(key);
    if (action == actions.end()) {
        return;
    }
    // The commands report their own failures; anything else that goes wrong is not shown.
    platform::tolerating(
        [&] { editor::runningCommand(context_.services().messageBox, action->second); });
}

} // namespace toolbar
