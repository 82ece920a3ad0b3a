// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "app/frm_main.h"
#include "app/module1.h"
#include "editor/frm_edit.h"
#include "fake_platform.h"
#include "platform/win/win_code_page.h"
#include "platform/win/win_process_start.h"
#include "platform/win/win_program_location.h"
#include "platform/win/win_text_files.h"
#include "toolchain/build_script.h"
#include "win_test_support.h"

#include <memory>
#include <string>

namespace {

using wintest::readRaw;
using wintest::TempFolder;
using wintest::writeRaw;

// GBK bytes of the Chinese texts the tests use.
const std::string kSourceGbk = "\xD4\xB4\xB3\xCC\xD0\xF2"; // 源程序
const std::string kHelloGbk = "\xC4\xE3\xBA\xC3";          // 你好
const std::string kWorldGbk = "\xA3\xAC\xCA\xC0\xBD\xE7";  // ，世界

// The program on the real Windows files, code page and program folder; windows, dialogs and
// processes stay fakes, so nothing waits for a user or a console.
class CoreOnWindows : public ::testing::Test {
protected:
    void SetUp() override { wintest::removeFile(setIni()); }
    void TearDown() override { wintest::removeFile(setIni()); }

    std::string setIni() { return location.programDirectory() + "\\Set.ini"; }
    // Starts with both directories set, the way Set.ini gives them.
    void startWith(const std::string& javaBinDir, const std::string& sourceDir) {
        writeRaw(setIni(), codePage.encode(javaBinDir + "\r\n" + sourceDir + "\r\n", "GBK"));
        start();
    }
    void start() { module->Main(); }
    app::frmMain& main() const { return *module->MainWindow; }
    fakes::FakeDocumentWindow& activeWindow() const {
        return *platform.windows.mainWindow->documentHost.active;
    }
    editor::frmEdit& open(const std::string& path) {
        platform.fileDialogs.answers.push_back(path);
        main().mnuFileOpen_Click();
        return *main().ActiveForm();
    }

    fakes::FakePlatform platform;
    platform::win::WinProgramLocation location;
    platform::win::WinTextFiles files;
    platform::win::WinCodePage codePage;
    platform::Services services{platform.messageBox,
                                platform.settings,
                                location,
                                files,
                                codePage,
                                platform.windows,
                                platform.fileDialogs,
                                platform.processes,
                                platform.clipboard,
                                platform.environment,
                                platform.privateFiles};
    std::unique_ptr<app::Module1> module = std::make_unique<app::Module1>(services);
};

TEST_F(CoreOnWindows, SetIniBesideTheProgramHoldsBothDirectoriesInGbkWithCrLf) {
    platform.windows.dialogActions.push_back([](fakes::FakeSettingsDialog& dialog) {
        dialog.text1Value = "C:\\Program Files\\Java\\bin";
        dialog.text2Value = "D:\\源程序";
        dialog.events->OKButton_Click();
    });
    start();
    EXPECT_EQ(module->SetIniPath, location.programDirectory() + "\\Set.ini");
    EXPECT_EQ(readRaw(setIni()), "C:\\Program Files\\Java\\bin\\\r\nD:\\" + kSourceGbk + "\\\r\n");

    // The next start reads them back and asks nothing.
    fakes::FakePlatform next;
    platform::Services nextServices{
        next.messageBox, next.settings,    location,         files,
        codePage,        next.windows,     next.fileDialogs, next.processes,
        next.clipboard,  next.environment, next.privateFiles};
    app::Module1 again(nextServices);
    again.Main();
    EXPECT_EQ(again.JavaBinDir, "C:\\Program Files\\Java\\bin\\");
    EXPECT_EQ(again.SourceDir, "D:\\源程序\\");
    EXPECT_EQ(next.windows.settingsDialogsCreated, 0);
}

TEST_F(CoreOnWindows, ABrokenSetIniOpensTheSettingsDialog) {
    // Not GBK: a lead byte without its trail.
    writeRaw(setIni(), "C:\\java\\bin\\\r\nD:\\\xD4\r\n");
    platform.windows.dialogActions.push_back(
        [](fakes::FakeSettingsDialog& dialog) { dialog.events->CancelButton_Click(); });
    start();
    EXPECT_EQ(platform.windows.settingsDialogsCreated, 1);
}

TEST_F(CoreOnWindows, DebugBatIsWrittenByteForByteAndStartedFromTheDocumentsFolder) {
    TempFolder sources("源程序");
    const std::string sourceDir = sources.path() + "\\";
    startWith("C:\\Program Files\\Java\\jdk 中文\\bin\\", sourceDir);
    const std::string javaBin = "C:\\Program Files\\Java\\jdk \xD6\xD0\xCE\xC4\\bin\\";
    const std::string script = sourceDir + "debug.bat";

    writeRaw(sources.file("Hello.java"), "class Hello {}\r\n");
    open(sources.file("Hello.java"));
    main().mnuCombile_Click();
    EXPECT_EQ(readRaw(script), "set path=" + javaBin + "\r\njavac Hello.java\r\n@pause\r\n");
    main().mnuRunJava_Click();
    EXPECT_EQ(readRaw(script), "set path=" + javaBin + "\r\njava Hello\r\n@pause\r\n");

    writeRaw(sources.file("Hello.htm"), "<html></html>\r\n");
    open(sources.file("Hello.htm"));
    main().mnuJavaViewer_Click();
    EXPECT_EQ(readRaw(script),
              "set path=" + javaBin + "\r\nappletviewer.exe Hello.htm\r\n@pause\r\n");

    ASSERT_EQ(platform.processes.started.size(), 3u);
    for (const auto& started : platform.processes.started) {
        EXPECT_EQ(platform::win::WinProcessStart::commandLine(started),
                  "cmd.exe /c \"\"" + script + "\"\"");
        EXPECT_EQ(started.workingDirectory, sources.path());
    }
    EXPECT_TRUE(platform.messageBox.shown.empty());
}

TEST_F(CoreOnWindows, TheBrowserGetsExplorerExeABlankAndTheCaptionAsItStands) {
    TempFolder pages("my pages");
    startWith("C:\\java\\bin\\", pages.path() + "\\");
    const std::string page = pages.file("页 面,1.htm");
    writeRaw(page, "<html></html>\r\n");
    open(page);
    platform.environment.onSearchPath.insert("explorer.exe");
    main().mnuSendToExplorer_Click();
    ASSERT_EQ(platform.processes.started.size(), 1u);
    EXPECT_EQ(platform::win::WinProcessStart::commandLine(platform.processes.started[0]),
              "explorer.exe \"" + page + "\"");
}

TEST_F(CoreOnWindows, GbkAndUtf8DocumentsAreReadAndWrittenBackInTheirOwnEncoding) {
    TempFolder sources("源程序");
    startWith("C:\\java\\bin\\", sources.path() + "\\");

    const std::string gbkFile = sources.file("Gbk.java");
    writeRaw(gbkFile, "// " + kHelloGbk + kWorldGbk + "\r\nclass Gbk {}\r\n");
    auto& gbk = open(gbkFile);
    EXPECT_EQ(gbk.txtEdit().text(), "// 你好，世界\nclass Gbk {}\n");
    activeWindow().edit.type("你好 ");
    main().mnuFileSave_Click();
    EXPECT_EQ(readRaw(gbkFile),
              kHelloGbk + " // " + kHelloGbk + kWorldGbk + "\r\nclass Gbk {}\r\n");

    const std::string utf8File = sources.file("Utf8.java");
    writeRaw(utf8File, "\xEF\xBB\xBF// 你好😀\nclass Utf8 {}\n");
    auto& utf8 = open(utf8File);
    EXPECT_EQ(utf8.txtEdit().text(), "// 你好😀\nclass Utf8 {}\n");
    activeWindow().edit.type("\n");
    main().mnuFileSave_Click();
    // Its own line ends, LF, for the new line too.
    EXPECT_EQ(readRaw(utf8File), "\xEF\xBB\xBF\n// 你好😀\nclass Utf8 {}\n");

    // A new document is written in the system code page.
    main().NewDocument();
    activeWindow().edit.type("// 你好，世界\n");
    platform.fileDialogs.answers.push_back(sources.file("New.java"));
    main().mnuFileSave_Click();
    EXPECT_EQ(readRaw(sources.file("New.java")), "// " + kHelloGbk + kWorldGbk + "\r\n");
    EXPECT_TRUE(platform.messageBox.shown.empty());
}

TEST_F(CoreOnWindows, BaseNamesComeFromTheLastPathComponentOnly) {
    TempFolder folder("base");
    startWith("C:\\java\\bin\\", folder.path() + "\\");
    wintest::makeFolder(folder.file("a.b"));
    writeRaw(folder.file("a.b\\c"), "x\r\n");
    EXPECT_EQ(open(folder.file("a.b\\c")).FileName, "c");
    writeRaw(folder.file("Hello.java.bak"), "x\r\n");
    EXPECT_EQ(open(folder.file("Hello.java.bak")).FileName, "Hello");

    main().NewDocument();
    main().ActiveForm()->setCaption("C:\\a.b\\c");
    main().GetFileName();
    EXPECT_EQ(main().ActiveForm()->FileName, "c");
}

TEST_F(CoreOnWindows, SavingOverAReadOnlyFileShowsTheMessageFor75AndKeepsTheFile) {
    TempFolder sources("源程序");
    startWith("C:\\java\\bin\\", sources.path() + "\\");
    const std::string path = sources.file("Locked.java");
    writeRaw(path, "old\r\n");
    open(path);
    wintest::setReadOnly(path);
    activeWindow().edit.type("new ");
    main().mnuFileSave_Click();
    ASSERT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(platform.messageBox.shown[0].prompt,
              "文件访问错误，文件可能是只读的，请改变其属性再试");
    EXPECT_EQ(readRaw(path), "old\r\n");
    EXPECT_TRUE(main().ActiveForm()->Changed);
}

} // namespace
