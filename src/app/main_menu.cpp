#include "frm_main.h"
#include "module1.h"
#include "platform/error.h"
#include "platform/menu_bar.h"

#include <new>

namespace app {

// The menu bar in display order: three drop-down menus, then six commands on the bar itself.
void frmMain::createMenus() {
    auto& bar = view_->menuBar();
    const auto item = [&](const char* menu, const char* name, const char* caption,
                          void (frmMain::*handler)()) {
        bar.addItem(menu, name, caption,
                    [this, handler] { surviving([this, handler] { (this->*handler)(); }); });
    };
    const auto command = [&](const char* name, const char* caption, void (frmMain::*handler)()) {
        bar.addCommand(name, caption,
                       [this, handler] { surviving([this, handler] { (this->*handler)(); }); });
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

void frmMain::surviving(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::bad_alloc&) {
        // Every window and its text stay; the user may close others and try again.
        module_.ReportFileError(platform::outOfMemoryError());
    }
}

} // namespace app
