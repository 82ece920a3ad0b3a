#include "error_of.h"
#include "platform/error.h"
#include "platform/win/win_code_page.h"
#include "platform/win/win_process_start.h"
#include "platform/win/win_program_location.h"
#include "win_test_support.h"

#include <string>
#include <windows.h>

namespace {

namespace ErrorNumber = platform::ErrorNumber;
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
    processes.startInTerminal(script, documents.path());
    EXPECT_EQ(wintest::waitForFile(documents.file("ran.txt")),
              gbk.encode(documents.path() + "\r\n", "GBK"));
}

TEST_F(WinProcessStartTest, AStartedProgramGetsTheCommandLineAsWritten) {
    TempFolder folder("probe");
    ProbeOutput output(folder.file("line.txt"));
    const std::string page = "C:\\my pages\\页面,1.htm";
    processes.startDetached({probe(), page});
    EXPECT_EQ(wintest::waitForFile(folder.file("line.txt")), probe() + " " + page);
}

TEST_F(WinProcessStartTest, ABareNameIsFoundOnThePathButNeverInTheCurrentFolder) {
    TempFolder folder("probe");
    ProbeOutput output(folder.file("line.txt"));
    const std::string programFolder = platform::win::WinProgramLocation().programDirectory();
    wchar_t previous[MAX_PATH + 1];
    GetCurrentDirectoryW(MAX_PATH + 1, previous);
    SetCurrentDirectoryW(wide(programFolder).c_str());
    const platform::RuntimeError error = errorOf([&] {
        processes.startDetached({"command_line_probe.exe", "a"});
    });
    SetCurrentDirectoryW(previous);
    EXPECT_EQ(error.number(), ErrorNumber::FileNotFound);
    EXPECT_EQ(error.description(), "找不到程序“command_line_probe.exe”，请确认它已安装。");

    const DWORD size = GetEnvironmentVariableW(L"PATH", nullptr, 0);
    std::wstring path(size, L'\0');
    path.resize(GetEnvironmentVariableW(L"PATH", path.data(), size));
    SetEnvironmentVariableW(L"PATH", (path + L";" + wide(programFolder)).c_str());
    processes.startDetached({"command_line_probe", "C:\\a b\\c.htm"});
    SetEnvironmentVariableW(L"PATH", path.c_str());
    EXPECT_EQ(wintest::waitForFile(folder.file("line.txt")), "command_line_probe C:\\a b\\c.htm");
}

TEST_F(WinProcessStartTest, WhatCannotStartIsReported) {
    EXPECT_EQ(errorOf([&] { processes.startDetached({"no-such-program.exe"}); }).number(),
              ErrorNumber::FileNotFound);
    EXPECT_EQ(errorOf([&] { processes.startDetached({"C:\\no\\such.exe"}); }).number(),
              ErrorNumber::FileNotFound);
    EXPECT_EQ(errorOf([&] { processes.startDetached({}); }).number(), ErrorNumber::FileNotFound);
    TempFolder folder("scripts");
    const platform::RuntimeError missing =
        errorOf([&] { processes.startInTerminal(folder.file("debug.bat"), folder.file("gone")); });
    EXPECT_EQ(missing.number(), ErrorNumber::PathNotFound);
    EXPECT_EQ(missing.description(),
              "工作目录“" + folder.file("gone") + "”不存在，无法运行批处理文件。");
}

} // namespace
