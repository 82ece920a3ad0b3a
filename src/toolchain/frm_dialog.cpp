// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "frm_dialog.h"

#include "platform/error.h"
#include "platform/message_box.h"
#include "tool_directories.h"

#include <utility>

namespace toolchain {

namespace {

const char* const Label1Caption = "Java编译器和AppletViewr所在目录：(如：C:\\java\\bin\\)";
const char* const Label2Caption = "Java源程序绝对目录：(如：c:\\javasemple\\)";
const char* const NoticeTitle = "提示";
const char* const EmptyFieldMessage = "以上三项都不能为空，否则程序不能正确运行。";
const char* const LeaveUnsetQuestion = "以上三项都不能为空，否则程序不能正确运行。真的不设置吗？";

} // namespace

frmDialog::frmDialog(editor::ProcessValues& values, platform::Services& services,
                     std::unique_ptr<platform::SettingsDialogView> view)
    : values_(values), services_(services), view_(std::move(view)) {
    view_->setEvents(this);
    view_->layOut(layout());
}

platform::FormLayout frmDialog::layout() {
    return {"参数设置对话框",
            6885,
            3045,
            {
                {"OKButton", "确定", 1080, 2280, 1215, 495, "", 0},
                {"CancelButton", "取消", 4200, 2280, 1215, 495, "", 0},
                {"Label1", Label1Caption, 120, 0, 6720, 240, "", 0},
                {"Text1", "", 120, 360, 6615, 495, "", 0},
                {"Label2", Label2Caption, 120, 960, 6450, 300, "", 0},
                {"Text2", "", 120, 1320, 6615, 495, "", 0},
            }};
}

void frmDialog::Show() {
    view_->showModal();
}

void frmDialog::Form_Load() {
    // At a first start the compiler the system already finds and a folder for the sources are
    // offered, so that one press of OK sets up a working program; only OK keeps them.
    view_->setText1(values_.JavaBinDir.empty() ? javacFolderOnSearchPath(services_.location)
                                               : values_.JavaBinDir);
    offeredSourceDir_ =
        values_.SourceDir.empty()
            ? offeredSourceDirectory(services_.environment, services_.location.directorySeparator())
            : std::string();
    view_->setText2(values_.SourceDir.empty() ? offeredSourceDir_ : values_.SourceDir);
    view_->setLabel1(Label1Caption);
    view_->setLabel2(Label2Caption);
}

void frmDialog::OKButton_Click() {
    auto& services = services_;
    if (view_->text1().empty() || view_->text2().empty()) {
        services.messageBox.show(EmptyFieldMessage, platform::MsgBoxStyle::Information,
                                 NoticeTitle);
        return;
    }
    const char separator = services.location.directorySeparator();
    const std::pair<std::string, DirectoryUse> boxes[] = {
        {view_->text1(), DirectoryUse::SearchPath}, {view_->text2(), DirectoryUse::Folder}};
    for (const auto& [text, use] : boxes) {
        if (auto problem = directoryProblem(text, separator, use)) {
            services.messageBox.show(*problem, platform::MsgBoxStyle::Information, NoticeTitle);
            return;
        }
    }
    if (!makeOfferedSourceDirectory(withFinalSeparator(view_->text2(), separator))) {
        return;
    }
    view_->setText1(withFinalSeparator(view_->text1(), separator));
    view_->setText2(withFinalSeparator(view_->text2(), separator));
    CanClose = true;
    values_.JavaBinDir = view_->text1();
    values_.SourceDir = view_->text2();
    try {
        // A per-user Set.ini may be the first file in its folder.
        const std::string folder = folderOf(values_.SetIniPath, separator);
        if (!folder.empty()) {
            services.location.createDirectory(folder);
        }
        writeSetIni(services.files, services.codePage, values_.SetIniPath,
                    {values_.JavaBinDir, values_.SourceDir});
    } catch (const platform::RuntimeError& error) {
        // The directories hold for this run even so; the user learns why they will not last.
        reportSetIniFailure(error.description());
    }
    view_->close();
}

bool frmDialog::makeOfferedSourceDirectory(const std::string& sourceDir) {
    // The offered folder is the program's choice, so the program makes it; a folder the user
    // typed is taken as it stands.
    if (offeredSourceDir_.empty() || sourceDir != offeredSourceDir_ ||
        services_.location.exists(sourceDir)) {
        return true;
    }
    try {
        services_.location.createDirectory(sourceDir);
        return true;
    } catch (const platform::RuntimeError& error) {
        services_.messageBox.show("无法创建源程序目录“" + sourceDir + "”：" + error.description() +
                                      "。请填写另一个目录。",
                                  platform::MsgBoxStyle::Exclamation, NoticeTitle);
        return false;
    }
}

void frmDialog::reportSetIniFailure(const std::string& reason) {
    services_.messageBox.show("无法保存设置文件 " + values_.SetIniPath + "：" + reason,
                              platform::MsgBoxStyle::Critical, "错误处理");
}

void frmDialog::CancelButton_Click() {
    if (!values_.JavaBinDir.empty() && !values_.SourceDir.empty()) {
        CanClose = true;
        view_->close();
        return;
    }
    const int answer = services_.messageBox.show(
        LeaveUnsetQuestion, platform::MsgBoxStyle::YesNo | platform::MsgBoxStyle::Exclamation,
        NoticeTitle);
    if (answer == platform::MsgBoxResult::Yes) {
        CanClose = true;
        view_->close();
    } else {
        CanClose = false;
    }
}

void frmDialog::Form_Unload(bool& cancel) {
    if (!CanClose) {
        cancel = true;
    }
}

} // namespace toolchain
