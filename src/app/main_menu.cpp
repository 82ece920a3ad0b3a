// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "editor/command_guard.h"
#include "files/file_error_reporter.h"
#include "frm_main.h"
#include "module1.h"
#include "platform/menu_bar.h"

namespace app {

// The menu bar in display order: three drop-down menus, then six commands on the bar itself.
void frmMain::createMenus() {
    auto& bar = view_->menuBar();
    // Memory running out in a command ends the command with a message, not the program; so
    // does a numbered failure that the command left to its caller.
    const auto guarded = [this](void (frmMain::*handler)()) {
        return [this, handler] {
            platform::MessageBox& box = module_.services.messageBox;
            try {
                editor::runningCommand(box, [this, handler] { (this->*handler)(); });
            } catch (const platform::RuntimeError& error) {
                files::ReportFileError(box, error);
            }
        };
    };
    const auto item = [&](const char* menu, const char* name, const char* caption,
                          void (frmMain::*handler)()) {
        bar.addItem(menu, name, caption, guarded(handler));
    };
    const auto command = [&](const char* name, const char* caption, void (frmMain::*handler)()) {
        bar.addCommand(name, caption, guarded(handler));
    };

    bar.addMenu("mnuFile", "文件");
    item("mnuFile", "mnuFileNew", "新建", &frmMain::mnuFileNew_Click);
    item("mnuFile", "mnuFileOpen", "打开", &frmMain::mnuFileOpen_Click);
    item("mnuFile", "mnuFileSave", "保存", &frmMain::mnuFileSave_Click);
    item("mnuFile", "mnuFileSaveAs", "另存为", &frmMain::mnuFileSaveAs_Click);
    bar.addSeparator("mnuFile", "mnuBar1");
    item("mnuFile", "mnuSet", "系统设置", &frmMain::mnuSet_Click);
    bar.addSeparator("mnuFile", "mnuBar2");
    item("mnuFile", "mnuFileShut", "关闭文件", &frmMain::mnuFileShut_Click);
    bar.addSeparator("mnuFile", "mnuBar3");
    item("mnuFile", "mnuClose", "退出", &frmMain::mnuClose_Click);

    bar.addMenu("mnuSave", "保存");
    item("mnuSave", "mnuFileSaveAsHtml", "保存为htm文件", &frmMain::mnuFileSaveAsHtml_Click);

    bar.addMenu("mnuFont", "字体");
    item("mnuFont", "mnuLargen", "字体增大", &frmMain::mnuLargen_Click);
    item("mnuFont", "mnuSmallen", "字体缩小", &frmMain::mnuSmallen_Click);
    item("mnuFont", "mnuBold", "粗体", &frmMain::mnuBold_Click);
    item("mnuFont", "mnuItalic", "斜体", &frmMain::mnuItalic_Click);
    item("mnuFont", "mnuUnderLine", "下划线", &frmMain::mnuUnderLine_Click);

    command("mnuCombile", "编译", &frmMain::mnuCombile_Click);
    command("mnuRunJava", "运行", &frmMain::mnuRunJava_Click);
    command("mnuFileBuildAsHtm", "生成htm文件", &frmMain::mnuFileBuildAsHtm_Click);
    command("mnuJavaViewer", "用JavaViewer浏览", &frmMain::mnuJavaViewer_Click);
    command("mnuSendToExplorer", "发送到浏览器", &frmMain::mnuSendToExplorer_Click);
    command("mnuAbout", "关于", &frmMain::mnuAbout_Click);
}

} // namespace app
