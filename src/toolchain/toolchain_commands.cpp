#include "app/frm_main.h"
#include "app/module1.h"
#include "applet_page.h"
#include "build_script.h"
#include "console_start.h"
#include "editor/document_rules.h"
#include "editor/frm_edit.h"
#include "platform/error.h"
#include "platform/message_box.h"
#include "tool_directories.h"

namespace app {

namespace {

const char* const ErrorNotice = "错误提示";
const char* const ErrorCheck = "错误检查";
const char* const FailureTitle = "错误处理";

} // namespace

void frmMain::warn(const std::string& text, const std::string& title) {
    module_.services.messageBox.show(text, platform::MsgBoxStyle::Exclamation, title);
}

void frmMain::runBuildScript(const std::string& toolLine, const std::string& title) {
    auto& services = module_.services;
    const char separator = services.location.directorySeparator();
    // An unset source directory would put the script wherever this process happens to be.
    if (!toolchain::isUsableDirectory(module_.SourceDir, separator)) {
        services.messageBox.show("没有设置Java源程序目录，请先在“系统设置”中设置。",
                                 platform::MsgBoxStyle::Critical, FailureTitle);
        return;
    }
    std::string path;
    try {
        path = toolchain::writeBuildScript(services.files, services.codePage, module_.SourceDir,
                                           module_.JavaBinDir, toolLine);
    } catch (const platform::RuntimeError& error) {
        services.messageBox.show("无法写入批处理文件“" +
                                     toolchain::buildScriptPath(module_.SourceDir) + "”：" +
                                     error.description(),
                                 platform::MsgBoxStyle::Critical, FailureTitle);
        return;
    }
    const std::string folder = toolchain::documentFolder(ActiveForm()->Caption(), separator);
    try {
        toolchain::startConsole(services, {folder, path, title});
    } catch (const platform::RuntimeError& error) {
        services.messageBox.show(error.description(), platform::MsgBoxStyle::Critical,
                                 FailureTitle);
    }
}

void frmMain::mnuCombile_Click() {
    editor::frmEdit* document = ActiveForm();
    if (document == nullptr) {
        return;
    }
    if (document->Changed) {
        const int answer = module_.services.messageBox.show(
            "文件已改变，但未保存，是否保存？",
            platform::MsgBoxStyle::YesNo | platform::MsgBoxStyle::Question, ErrorCheck);
        if (answer == platform::MsgBoxResult::Yes) {
            mnuFileSave_Click();
        }
    }
    // The caption is read again: a save just now may have given the document its name.
    if (savedDocumentWith(".java", "文件未保存!", "只能编译Java源程序(扩展名为*.java)!") ==
        nullptr) {
        return;
    }
    GetFileName();
    const std::string source = document->FileName + ".java";
    runBuildScript("javac " + toolchain::scriptWord(source), "编译 " + source);
}

void frmMain::mnuRunJava_Click() {
    editor::frmEdit* document = ActiveForm();
    if (document == nullptr) {
        return;
    }
    const std::string caption = document->Caption();
    if (editor::isUntitled(caption) || !editor::hasExtension(caption, ".java")) {
        warn("只有当当前文编译生成*.class文件后方能使用本命令！", ErrorNotice);
        return;
    }
    GetFileName();
    runBuildScript("java " + toolchain::scriptWord(document->FileName),
                   "运行 " + document->FileName);
}

void frmMain::mnuFileBuildAsHtm_Click() {
    editor::frmEdit* source = ActiveForm();
    if (source == nullptr) {
        return;
    }
    if (!editor::hasExtension(source->Caption(), ".java")) {
        warn("只能对当前的JavaApplet源程序生成Html文件", ErrorCheck);
        return;
    }
    GetFileName();
    const std::string baseName = source->FileName;
    editor::frmEdit* page = nullptr;
    try {
        page = &NewDocument();
    } catch (const platform::RuntimeError&) {
        reportNoMoreDocuments();
        return;
    }
    page->txtEdit().setText(editor::controlText(toolchain::appletPageText(baseName)));
    page->FileName = baseName;
}

editor::frmEdit* frmMain::savedDocumentWith(const std::string& extension,
                                            const std::string& unsaved,
                                            const std::string& wrongExtension) {
    editor::frmEdit* document = ActiveForm();
    if (document == nullptr) {
        return nullptr;
    }
    const std::string caption = document->Caption();
    if (editor::isUntitled(caption)) {
        warn(unsaved, ErrorNotice);
        return nullptr;
    }
    if (!editor::hasExtension(caption, extension)) {
        warn(wrongExtension, ErrorNotice);
        return nullptr;
    }
    return document;
}

void frmMain::mnuJavaViewer_Click() {
    editor::frmEdit* document =
        savedDocumentWith(".htm", "请先将文件保存为*.htm文件！", "只能浏览*.Htm文件!");
    if (document == nullptr) {
        return;
    }
    GetFileName();
    const std::string page = document->FileName + ".htm";
    runBuildScript("appletviewer.exe " + toolchain::scriptWord(page), "浏览 " + page);
}

void frmMain::mnuSendToExplorer_Click() {
    editor::frmEdit* document =
        savedDocumentWith(".htm", "请先保存文件!", "只能发送*.Htm文件到浏览器!");
    if (document == nullptr) {
        return;
    }
    auto& services = module_.services;
    try {
        toolchain::startProgram(
            services,
            toolchain::browserCommand(document->Caption(), services.location.directorySeparator()));
    } catch (const platform::RuntimeError& error) {
        services.messageBox.show(error.description(), platform::MsgBoxStyle::Critical,
                                 FailureTitle);
    }
}

} // namespace app
