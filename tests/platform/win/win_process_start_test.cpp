// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "platform/error.h"
#include "platform/win/win_code_page.h"
#include "platform/win/win_process_start.h"
#include "platform/win/win_program_location.h"
#include "win_test_support.h"

#include <string>
#include <windows.h>

namespace {

using wintest::TempFolder;
using wintest::wide;

// The environment variable for the probe program, set for the test's length.
class ProbeOutput {
public:
    explicit ProbeOutput(const std::string& path) {
        SetEnvironmentVariableW(L"MORVANE_PROBE_OUTPUT", wide(path).c_str());
    }
    ~ProbeOutput() { SetEnvironmentVariableW(L"MORVANE_PROBE_OUTPUT", nullptr); }
};

class WinProcessStartTest : public ::testing::Test {
protected:
    std::string probe() {
        return platform::win::WinProgramLocation().programDirectory() + "\\command_line_probe.exe";
    }
    platform::win::WinProcessStart processes;
};

TEST_F(WinProcessStartTest, TheScriptRunsInItsOwnConsoleInTheDocumentsFolder) {
    // Blanks, parentheses, "&" and Chinese in the folders: none of them splits the path.
    TempFolder sources("源 程序 (1)&x");
    TempFolder documents("文档 folder");
    const std::string script = sources.file("debug.bat");
    // The command interpreter reads and writes the system code page.
    platform::win::WinCodePage gbk;
    wintest::writeRaw(
        script,
        gbk.encode("@echo %CD%> \"" + documents.file("ran.txt") + "\"\r\n@exit\r\n", "GBK"));
    // The request the toolchain makes for a console on Windows.
    ASSERT_TRUE(processes.start({{"cmd.exe"}, documents.path(), {}, "/c \"\"" + script + "\"\""}));
    EXPECT_EQ(wintest::waitForFile(documents.file("ran.txt")),
              gbk.encode(documents.path() + "\r\n", "GBK"));
}

TEST_F(WinProcessStartTest, AStartedProgramGetsItsNativeArgumentsAsWrittenOrItsWordsQuoted) {
    TempFolder folder("probe");
    ProbeOutput output(folder.file("line.txt"));
    const std::string page = "C:\\my pages\\页面,1.htm";
    ASSERT_TRUE(processes.start({{probe()}, {}, {}, page}));
    EXPECT_EQ(wintest::waitForFile(folder.file("line.txt")), probe() + " " + page);

    wintest::removeFile(folder.file("line.txt"));
    ASSERT_TRUE(processes.start({{probe(), page, "a\"b", "", "c:\\dir\\"}, {}, {}, {}}));
    EXPECT_EQ(wintest::waitForFile(folder.file("line.txt")),
              probe() + " \"" + page + "\" \"a\\\"b\" \"\" c:\\dir\\");
}

TEST_F(WinProcessStartTest, ABareNameIsFoundOnThePathButNeverInTheCurrentFolder) {
    TempFolder folder("probe");
    ProbeOutput output(folder.file("line.txt"));
    const std::string programFolder = platform::win::WinProgramLocation().programDirectory();
    wchar_t previous[MAX_PATH + 1];
    GetCurrentDirectoryW(MAX_PATH + 1, previous);
    SetCurrentDirectoryW(wide(programFolder).c_str());
    const bool startedFromCurrentFolder =
        processes.start({{"command_line_probe.exe", "a"}, {}, {}, {}});
    SetCurrentDirectoryW(previous);
    EXPECT_FALSE(startedFromCurrentFolder);

    const DWORD size = GetEnvironmentVariableW(L"PATH", nullptr, 0);
    std::wstring path(size, L'\0');
    path.resize(GetEnvironmentVariableW(L"PATH", path.data(), size));
    SetEnvironmentVariableW(L"PATH", (path + L";" + wide(programFolder)).c_str());
    const bool started = processes.start({{"command_line_probe", "C:\\a b\\c.htm"}, {}, {}, {}});
    SetEnvironmentVariableW(L"PATH", path.c_str());
    ASSERT_TRUE(started);
    EXPECT_EQ(wintest::waitForFile(folder.file("line.txt")),
              "command_line_probe \"C:\\a b\\c.htm\"");
}

TEST_F(WinProcessStartTest, WhatCannotStartIsRefused) {
    EXPECT_FALSE(processes.start({{"no-such-program.exe"}, {}, {}, {}}));
    EXPECT_FALSE(processes.start({{"C:\\no\\such.exe"}, {}, {}, {}}));
    EXPECT_FALSE(processes.start({}));
    TempFolder folder("scripts");
    EXPECT_FALSE(processes.start({{"cmd.exe"}, folder.file("gone"), {}, "/c exit"}));
}

} // namespace
