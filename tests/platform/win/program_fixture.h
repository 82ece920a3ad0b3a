// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/win/win_code_page.h"
#include "program_driver.h"
#include "win_test_support.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace wintest {

// The texts of the program's boxes and dialogs.
inline const std::string MainCaption = "MORVANE集成系统2.0版";
inline const std::string SettingsCaption = "参数设置对话框";

// A fresh user of the program: no settings stored, the program in a folder of its own (with
// Set.ini there when the test gives one), a source folder and a Java tools folder with blanks
// and Chinese in their names.
class ProgramTest : public ::testing::Test {
protected:
    ProgramTest();
    ~ProgramTest() override;

    // Starts the program; with both directories in Set.ini, no dialog opens. The time to its
    // painted main window, in milliseconds.
    double start(bool withSetIni = true);
    ProgramDriver& program() { return *program_; }
    std::string gbk(const std::string& utf8) { return codePage_.encode(utf8, "GBK"); }
    // The box or dialog with that caption, failing the test when none shows.
    HWND box(const std::string& caption);
    // Answers the box: its text, then presses the button.
    std::string answer(const std::string& caption, int button);
    // Opens a file through the Open dialog; the new document window.
    HWND open(const std::string& path);
    // The source folder's path with its final "\".
    std::string sourceDir() const { return sources.path() + "\\"; }
    std::string javaBinDir() const { return tools.path() + "\\"; }
    // Quits through the menu; fails the test when the program does not end.
    void quit();
    std::string storedSetting(const std::string& key);

    TempFolder folder{"程序 folder"};
    TempFolder sources{"源 程序"};
    TempFolder tools{"jdk 中文"};

private:
    platform::win::WinCodePage codePage_;
    std::unique_ptr<ProgramDriver> program_;
};

} // namespace wintest
