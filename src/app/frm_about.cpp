// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "frm_about.h"

#include "frm_main.h"
#include "module1.h"

namespace app {

namespace {

const char* const Song = "宋体";

const char* const Disclaimer =
    "本程序按“原样”提供，不附带任何明示或暗示的担保。由本程序编译、运行的程序及其后果，"
    "由使用者自行负责。";

} // namespace

frmAbout::frmAbout(Module1& module, std::unique_ptr<platform::AboutBoxView> view)
    : module_(module), view_(std::move(view)) {
    view_->setEvents(this);
    view_->layOut(layout());
}

platform::FormLayout frmAbout::layout() {
    return {"关于我的应用程序",
            5730,
            3555,
            {
                {"cmdOK", "确定", 3960, 3000, 1500, 465, Song, 9},
                {"picIcon", "", 240, 240, 540, 540, "", 0},
                {"lblTitle", ApplicationTitle, 1800, 240, 2880, 360, Song, 18},
                {"lblVersion", "", 1050, 780, 3885, 225, Song, 12},
                {"lblDescription", "", 600, 1080, 4485, 1290, Song, 10.5},
                // The etched rule: a grey line, and a white one two units wide below it.
                {"Line1", "", 90, 2445, 5564, 15, "", 0},
                {"Line1White", "", 105, 2460, 5549, 30, "", 0},
                {"lblDisclaimer", "", 255, 2520, 3630, 1065, "", 0},
            }};
}

void frmAbout::Show() {
    view_->showModal();
}

void frmAbout::Form_Load() {
    view_->setLabel("lblVersion", "版本:" + module_.VersionText);
    view_->setLabel("lblDisclaimer", std::string("警告: ...\r\n") + Disclaimer);
    view_->setLabel("lblDescription",
                    "本程序用于方便Java程序的调试。详细用法请看说明文件readme.txt");
}

void frmAbout::cmdOK_Click() {
    view_->close();
}

void frmMain::mnuAbout_Click() {
    module_.aboutBox().Show();
}

} // namespace app
