#include "app/frm_main.h"
#include "app/module1.h"
#include "editor/document_rules.h"
#include "editor/frm_edit.h"
#include "platform/tool_bar.h"
#include "tool_bar_table.h"

#include <exception>
#include <functional>
#include <map>

namespace app {

void frmMain::createToolBar() {
    auto& bar = view_->toolBar();
    bar.setImages(toolbar::toolImages());
    for (const auto& button : toolbar::toolButtons()) {
        bar.addButton(button);
    }
    bar.setClickHandler(
        [this](const std::string& key, int value) { tbToolBar_ButtonClick(key, value); });
}

void frmMain::switchCaretDisplay(bool on) {
    editor::frmEdit* document = ActiveForm();
    if (on) {
        if (document != nullptr) {
            document->LineRow = true;
        }
        return;
    }
    if (document != nullptr) {
        document->LineRow = false;
    }
    editor::clearCaretDisplay(module_);
}

void frmMain::fillAppletSkeleton() {
    if (editor::frmEdit* document = ActiveForm()) {
        document->txtEdit().setText(editor::controlText(toolbar::appletSkeleton()));
    }
}

void frmMain::tbToolBar_ButtonClick(const std::string& key, int value) {
    // Keys compare exactly, letter case included; a key that is not here does nothing.
    const std::map<std::string, std::function<void()>> actions = {
        {"新建", [this] { mnuFileNew_Click(); }},
        {"打开", [this] { mnuFileOpen_Click(); }},
        {"保存", [this] { mnuFileSave_Click(); }},
        {"剪切", [this] { CutText(); }},
        {"复制", [this] { CopyText(); }},
        {"粘贴", [this] { PasteText(); }},
        {"粗体", [this] { mnuBold_Click(); }},
        {"斜体", [this] { mnuItalic_Click(); }},
        {"下划线", [this] { mnuUnderLine_Click(); }},
        {"字体增大", [this] { mnuLargen_Click(); }},
        {"字体缩小", [this] { mnuSmallen_Click(); }},
        {"行号列号", [this, value] { switchCaretDisplay(value != 0); }},
        {"Java", [this] { fillAppletSkeleton(); }},
        {"IE", [this] { mnuSendToExplorer_Click(); }},
        {"编译", [this] { mnuCombile_Click(); }},
        {"运行", [this] { mnuRunJava_Click(); }},
        {"运行Applet", [this] { mnuJavaViewer_Click(); }},
        {"退出系统", [this] { mnuClose_Click(); }},
    };
    const auto action = actions.find(key);
    if (action == actions.end()) {
        return;
    }
    // The commands report their own failures; anything else that goes wrong is not shown.
    try {
        surviving(action->second);
    } catch (const std::exception&) {
    }
}

} // namespace app
