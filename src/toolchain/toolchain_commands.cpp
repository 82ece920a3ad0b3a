// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "toolchain_commands.h"

#include "applet_page.h"
#include "build_script.h"
#include "console_start.h"
#include "editor/command_context.h"
#include "editor/command_guard.h"
#include "editor/document_rules.h"
#include "editor/frm_edit.h"
#include "files/commands/get_file_name.h"
#include "name_rules.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/message_box.h"
#include "tool_directories.h"

namespace toolchain {

namespace {

const char* const ErrorNotice = "错误提示";
const char* const ErrorCheck = "错误检查";
const char* const FailureTitle = "错误处理";

std::string unsafePathMessage(const std::string& path) {
    return "文件“" + visibleText(path) +
           "”的路径中有换行符等控制字符或无效的字节，不能交给Java工具或浏览器。请先给文件（或它所在"
           "的文件夹）改名。";
}

std::string notStorableMessage(const std::string& name, const std::string& encoding) {
    return "文件名“" + name + "”中有系统代码页（" + encoding +
           "）不能表示的字符，无法写入批处理文件。请先给文件改名。";
}

std::string notAClassNameMessage(const std::string& name) {
    return "“" + visibleText(name) +
           "”不是合法的Java类名，不能运行。类名要以字母、“_”或“$”开头，只由字母、数字、“_”和“$”"
           "组成，且不能是Java的关键字。请让文件名与类名一致。";
}

} // namespace

char ToolchainCommands::directorySeparator() {
    return context_.services().location.directorySeparator();
}

void ToolchainCommands::warn(const std::string& text, const std::string& title) {
    context_.services().messageBox.show(text, platform::MsgBoxStyle::Exclamation, title);
}

bool ToolchainCommands::mayReachTools(const std::string& path) {
    if (isPlainText(path)) {
        return true;
    }
    warn(unsafePathMessage(path), ErrorNotice);
    return false;
}

void ToolchainCommands::runBuildScript(const std::string& name, const std::string& toolLine,
                                       const std::string& title) {
    auto& services = context_.services();
    const editor::ProcessValues& values = context_.values();
    const char separator = directorySeparator();
    // An unset source directory would put the script wherever this process happens to be.
    if (!isUsableDirectory(values.SourceDir, separator, DirectoryUse::Folder)) {
        services.messageBox.show("没有设置Java源程序目录，请先在“系统设置”中设置。",
                                 platform::MsgBoxStyle::Critical, FailureTitle);
        return;
    }
    // Set.ini and the settings dialog let no such directory through; the script's first line
    // is the last place to make sure.
    if (!values.JavaBinDir.empty()) {
        if (auto problem =
                directoryProblem(values.JavaBinDir, separator, DirectoryUse::SearchPath)) {
            services.messageBox.show("Java编译器所在目录不能使用：" + *problem +
                                         "请在“系统设置”中重新设置。",
                                     platform::MsgBoxStyle::Critical, FailureTitle);
            return;
        }
    }
    // The script is text in the system code page: a name it cannot hold would come out as
    // another name, or not at all.
    const std::string encoding = services.codePage.systemEncoding();
    if (!platform::encodes(services.codePage, toolLine, encoding)) {
        warn(notStorableMessage(name, encoding), ErrorNotice);
        return;
    }
    std::string path;
    try {
        path = writeBuildScript(services.files, services.codePage, values.SourceDir,
                                values.JavaBinDir, toolLine);
    } catch (const platform::RuntimeError& error) {
        services.messageBox.show("无法写入批处理文件“" + buildScriptPath(values.SourceDir) + "”：" +
                                     error.description(),
                                 platform::MsgBoxStyle::Critical, FailureTitle);
        return;
    }
    const std::string folder = documentFolder(context_.ActiveForm()->Caption(), separator);
    try {
        startConsole(services, {folder, path, title});
    } catch (const platform::RuntimeError& error) {
        services.messageBox.show(error.description(), platform::MsgBoxStyle::Critical,
                                 FailureTitle);
    }
}

void ToolchainCommands::mnuCombile_Click() {
    editor::frmEdit* document = context_.ActiveForm();
    if (document == nullptr) {
        return;
    }
    if (document->Changed) {
        const int answer = context_.services().messageBox.show(
            "文件已改变，但未保存，是否保存？",
            platform::MsgBoxStyle::YesNo | platform::MsgBoxStyle::Question, ErrorCheck);
        if (answer == platform::MsgBoxResult::Yes) {
            context_.mnuFileSave_Click();
        }
    }
    // The caption is read again: a save just now may have given the document its name.
    if (savedDocumentWith(".java", "文件未保存!", "只能编译Java源程序(扩展名为*.java)!") ==
        nullptr) {
        return;
    }
    files::GetFileName(context_);
    if (!mayReachTools(document->Caption())) {
        return;
    }
    const std::string source = document->FileName + ".java";
    runBuildScript(source, "javac " + scriptWord(source, directorySeparator()), "编译 " + source);
}

void ToolchainCommands::mnuRunJava_Click() {
    editor::frmEdit* document = context_.ActiveForm();
    if (document == nullptr) {
        return;
    }
    const std::string caption = document->Caption();
    if (editor::isUntitled(caption) || !editor::hasExtension(caption, ".java")) {
        warn("只有当当前文编译生成*.class文件后方能使用本命令！", ErrorNotice);
        return;
    }
    files::GetFileName(context_);
    if (!mayReachTools(caption)) {
        return;
    }
    // Anything else would reach java as an option, a file of options or a source file to run.
    const std::string& className = document->FileName;
    if (!isJavaIdentifier(className)) {
        warn(notAClassNameMessage(className), ErrorNotice);
        return;
    }
    runBuildScript(className, "java " + className, "运行 " + className);
}

void ToolchainCommands::mnuFileBuildAsHtm_Click() {
    editor::frmEdit* source = context_.ActiveForm();
    if (source == nullptr) {
        return;
    }
    if (!editor::hasExtension(source->Caption(), ".java")) {
        warn("只能对当前的JavaApplet源程序生成Html文件", ErrorCheck);
        return;
    }
    files::GetFileName(context_);
    const std::string baseName = source->FileName;
    editor::frmEdit* page = editor::newDocumentOrTell(context_);
    if (page == nullptr) {
        return;
    }
    page->txtEdit().setText(editor::controlText(appletPageText(baseName)));
    page->FileName = baseName;
}

editor::frmEdit* ToolchainCommands::savedDocumentWith(const std::string& extension,
                                                      const std::string& unsaved,
                                                      const std::string& wrongExtension) {
    editor::frmEdit* document = context_.ActiveForm();
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

void ToolchainCommands::mnuJavaViewer_Click() {
    editor::frmEdit* document =
        savedDocumentWith(".htm", "请先将文件保存为*.htm文件！", "只能浏览*.Htm文件!");
    if (document == nullptr) {
        return;
    }
    files::GetFileName(context_);
    if (!mayReachTools(document->Caption())) {
        return;
    }
    const std::string page = document->FileName + ".htm";
    runBuildScript(page, "appletviewer.exe " + scriptWord(page, directorySeparator()),
                   "浏览 " + page);
}

void ToolchainCommands::mnuSendToExplorer_Click() {
    editor::frmEdit* document =
        savedDocumentWith(".htm", "请先保存文件!", "只能发送*.Htm文件到浏览器!");
    if (document == nullptr || !mayReachTools(document->Caption())) {
        return;
    }
    auto& services = context_.services();
    try {
        startProgram(services, browserCommand(document->Caption(), directorySeparator()));
    } catch (const platform::RuntimeError& error) {
        services.messageBox.show(error.description(), platform::MsgBoxStyle::Critical,
                                 FailureTitle);
    }
}

} // namespace toolchain
