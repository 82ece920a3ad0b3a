// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "app_fixture.h"
#include "editor/frm_edit.h"
#include "toolchain/applet_page.h"
#include "toolchain/console_launch.h"
#include "toolchain/helper_files.h"
#include "toolchain/name_rules.h"
#include "toolchain/terminal_command.h"

#include <algorithm>
#include <functional>
#include <set>

#include <gtest/gtest.h>

namespace {

namespace MsgBoxResult = platform::MsgBoxResult;
using platform::MsgBoxStyle::Exclamation;

const std::string Script = "/home/u/src/debug.bat";

class Toolchain : public ::testing::Test, public AppFixture {
protected:
    void SetUp() override {
        writeSetIni("/usr/lib/jvm/bin/\r\n/home/u/src/\r\n");
        start();
    }
    // A saved document captioned path, holding text.
    editor::frmEdit& saved(const std::string& path, const std::string& text = "class A {}") {
        platform.files.files[path] = text;
        platform.fileDialogs.answers.push_back(path);
        main().mnuFileOpen_Click();
        return *main().ActiveForm();
    }
    fakes::FakeDocumentWindow& activeWindow() { return *window().documentHost.active; }
    // The boxes shown, as "title: text".
    std::vector<std::string> boxes() {
        std::vector<std::string> result;
        for (const auto& box : platform.messageBox.shown) {
            result.push_back(box.title + ": " + box.prompt);
        }
        return result;
    }
    bool nothingStarted() { return platform.processes.started.empty(); }
};

TEST_F(Toolchain, CompileWritesTheScriptAndStartsItInTheSourcesFolder) {
    saved("/home/u/java/Hello.java");
    main().mnuCombile_Click();
    EXPECT_EQ(platform.files.files[Script],
              "set path=/usr/lib/jvm/bin/\r\njavac Hello.java\r\n@pause\r\n");
    ASSERT_EQ(platform.consoles().size(), 1u);
    EXPECT_EQ(platform.consoles()[0].script, Script);
    EXPECT_EQ(platform.consoles()[0].workingDirectory, "/home/u/java");
    EXPECT_TRUE(platform.messageBox.shown.empty());
}

TEST_F(Toolchain, RunWritesTheJavaLineAndNeverLooksAtChanged) {
    auto& document = saved("/home/u/src/Hello.java");
    activeWindow().edit.type("changed ");
    main().mnuRunJava_Click();
    EXPECT_TRUE(document.Changed);
    EXPECT_TRUE(platform.messageBox.shown.empty());
    EXPECT_EQ(platform.files.files[Script],
              "set path=/usr/lib/jvm/bin/\r\njava Hello\r\n@pause\r\n");
    EXPECT_EQ(platform.consoles().size(), 1u);
}

TEST_F(Toolchain, NothingHappensWithoutADocument) {
    main().mnuCombile_Click();
    main().mnuRunJava_Click();
    main().mnuFileBuildAsHtm_Click();
    main().mnuJavaViewer_Click();
    main().mnuSendToExplorer_Click();
    EXPECT_TRUE(platform.messageBox.shown.empty());
    EXPECT_TRUE(nothingStarted());
    EXPECT_EQ(platform.files.files.count(Script), 0u);
}

TEST_F(Toolchain, RefusalsOfUntitledAndWrongExtensions) {
    struct Case {
        std::string caption;
        void (app::frmMain::*command)();
        std::string box;
    };
    const Case cases[] = {
        {"Document 2", &app::frmMain::mnuCombile_Click, "错误提示: 文件未保存!"},
        {"/s/Hello.JAVA", &app::frmMain::mnuCombile_Click,
         "错误提示: 只能编译Java源程序(扩展名为*.java)!"},
        {"/s/page.htm", &app::frmMain::mnuCombile_Click,
         "错误提示: 只能编译Java源程序(扩展名为*.java)!"},
        {"Document 2", &app::frmMain::mnuRunJava_Click,
         "错误提示: 只有当当前文编译生成*.class文件后方能使用本命令！"},
        {"/s/Hello.JAVA", &app::frmMain::mnuRunJava_Click,
         "错误提示: 只有当当前文编译生成*.class文件后方能使用本命令！"},
        {"Document 1", &app::frmMain::mnuFileBuildAsHtm_Click,
         "错误检查: 只能对当前的JavaApplet源程序生成Html文件"},
        {"/s/x.htm", &app::frmMain::mnuFileBuildAsHtm_Click,
         "错误检查: 只能对当前的JavaApplet源程序生成Html文件"},
        {"Document 3", &app::frmMain::mnuJavaViewer_Click, "错误提示: 请先将文件保存为*.htm文件！"},
        {"/s/Hello.java", &app::frmMain::mnuJavaViewer_Click, "错误提示: 只能浏览*.Htm文件!"},
        {"/s/page.HTM", &app::frmMain::mnuJavaViewer_Click, "错误提示: 只能浏览*.Htm文件!"},
        {"/s/page.html", &app::frmMain::mnuJavaViewer_Click, "错误提示: 只能浏览*.Htm文件!"},
        {"Document 3", &app::frmMain::mnuSendToExplorer_Click, "错误提示: 请先保存文件!"},
        {"/s/Hello.java", &app::frmMain::mnuSendToExplorer_Click,
         "错误提示: 只能发送*.Htm文件到浏览器!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption + " / " + c.box);
        platform.messageBox.shown.clear();
        main().NewDocument().setCaption(c.caption);
        const int documents = window().documentHost.created;
        (main().*c.command)();
        EXPECT_EQ(boxes(), std::vector<std::string>{c.box});
        EXPECT_EQ(platform.messageBox.shown[0].style, Exclamation);
        EXPECT_EQ(window().documentHost.created, documents);
    }
    EXPECT_TRUE(nothingStarted());
    EXPECT_EQ(platform.files.files.count(Script), 0u);
}

TEST_F(Toolchain, CompileAsksToSaveAChangedDocumentAndReadsTheCaptionAgain) {
    main().NewDocument();
    activeWindow().edit.type("class Hello {}");
    // Yes, then the Save dialog chooses a name: the source is saved and compiled.
    platform.fileDialogs.answers.push_back("/home/u/src/Hello.java");
    main().mnuCombile_Click();
    ASSERT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(boxes()[0], "错误检查: 文件已改变，但未保存，是否保存？");
    EXPECT_EQ(platform.messageBox.shown[0].style, 36);
    EXPECT_EQ(platform.files.files["/home/u/src/Hello.java"], "class Hello {}");
    EXPECT_EQ(platform.files.files[Script],
              "set path=/usr/lib/jvm/bin/\r\njavac Hello.java\r\n@pause\r\n");
}

TEST_F(Toolchain, CompileAfterYesAndACancelledSaveOrNoSaysNotSaved) {
    main().NewDocument();
    activeWindow().edit.type("x");
    main().mnuCombile_Click(); // Yes, dialog cancelled
    EXPECT_EQ(boxes(), (std::vector<std::string>{"错误检查: 文件已改变，但未保存，是否保存？",
                                                 "错误提示: 文件未保存!"}));
    platform.messageBox.shown.clear();
    platform.messageBox.answers = {MsgBoxResult::No};
    main().mnuCombile_Click();
    EXPECT_EQ(boxes(), (std::vector<std::string>{"错误检查: 文件已改变，但未保存，是否保存？",
                                                 "错误提示: 文件未保存!"}));
    EXPECT_EQ(platform.fileDialogs.shown.size(), 1u);
}

TEST_F(Toolchain, CompileGoesOnAfterAFailedSaveAndAfterNo) {
    auto& document = saved("/home/u/src/Hello.java", "old");
    activeWindow().edit.type("new ");
    platform.files.readOnly.insert("/home/u/src/Hello.java");
    main().mnuCombile_Click();
    EXPECT_EQ(boxes().size(), 2u) << "the question, then the access message";
    EXPECT_EQ(platform.files.files["/home/u/src/Hello.java"], "old");
    EXPECT_EQ(platform.consoles().size(), 1u);
    EXPECT_TRUE(document.Changed);

    platform.messageBox.answers = {MsgBoxResult::No};
    main().mnuCombile_Click();
    EXPECT_EQ(platform.consoles().size(), 2u);
}

TEST_F(Toolchain, ScriptTextIsCopiedUnquotedAndTheSourceDirIsNotMended) {
    module->SourceDir = "/home/u/src";
    module->JavaBinDir = "/opt/my jdk/bin/";
    saved("/home/u/my src/Hello.java");
    main().mnuCombile_Click();
    EXPECT_EQ(platform.files.files["/home/u/srcdebug.bat"],
              "set path=/opt/my jdk/bin/\r\njavac Hello.java\r\n@pause\r\n");
    EXPECT_EQ(platform.consoles()[0].script, "/home/u/srcdebug.bat");
    EXPECT_EQ(platform.consoles()[0].workingDirectory, "/home/u/my src");
}

TEST_F(Toolchain, NamesThatWouldSplitOrReadAsOptionsAreQuotedOthersKeepTheirLines) {
    struct Case {
        std::string path;
        void (app::frmMain::*command)();
        std::string toolLine;
        std::string title;
    };
    // The longest name a Linux folder holds: 255 bytes.
    const std::string longest = std::string(250, 'L');
    std::string chinese;
    for (int i = 0; i < 80; ++i) {
        chinese += "类";
    }
    const Case cases[] = {
        {"/s/Hello.java", &app::frmMain::mnuCombile_Click, "javac Hello.java", "编译 Hello.java"},
        {"/s/中文类.java", &app::frmMain::mnuRunJava_Click, "java 中文类", "运行 中文类"},
        {"/s/Outer$Inner_1.java", &app::frmMain::mnuRunJava_Click, "java Outer$Inner_1",
         "运行 Outer$Inner_1"},
        {"/s/x-y.htm", &app::frmMain::mnuJavaViewer_Click, "appletviewer.exe x-y.htm",
         "浏览 x-y.htm"},
        {"/s/-J-version A.java", &app::frmMain::mnuCombile_Click, "javac \"./-J-version A.java\"",
         "编译 -J-version A.java"},
        {"/s/-version.java", &app::frmMain::mnuCombile_Click, "javac \"./-version.java\"",
         "编译 -version.java"},
        // javac and java read a word starting with "@" as a file of further arguments.
        {"/s/@opts.java", &app::frmMain::mnuCombile_Click, "javac \"./@opts.java\"",
         "编译 @opts.java"},
        {"/s/@page.htm", &app::frmMain::mnuJavaViewer_Click, "appletviewer.exe \"./@page.htm\"",
         "浏览 @page.htm"},
        {"/s/-page.htm", &app::frmMain::mnuJavaViewer_Click, "appletviewer.exe \"./-page.htm\"",
         "浏览 -page.htm"},
        {"/s/a@b.java", &app::frmMain::mnuCombile_Click, "javac a@b.java", "编译 a@b.java"},
        {"/s/My Page 页.htm", &app::frmMain::mnuJavaViewer_Click,
         "appletviewer.exe \"My Page 页.htm\"", "浏览 My Page 页.htm"},
        {"/s/say \"hi\".java", &app::frmMain::mnuCombile_Click, "javac \"say \"\"hi\"\".java\"",
         "编译 say \"hi\".java"},
        {"/s/a&b|c.java", &app::frmMain::mnuCombile_Click, "javac \"a&b|c.java\"",
         "编译 a&b|c.java"},
        {"/s/<x>^%y%.htm", &app::frmMain::mnuJavaViewer_Click, "appletviewer.exe \"<x>^%y%.htm\"",
         "浏览 <x>^%y%.htm"},
        {"/s/" + longest + ".java", &app::frmMain::mnuCombile_Click, "javac " + longest + ".java",
         "编译 " + longest + ".java"},
        {"/s/" + longest + ".java", &app::frmMain::mnuRunJava_Click, "java " + longest,
         "运行 " + longest},
        {"/s/" + chinese + ".java", &app::frmMain::mnuRunJava_Click, "java " + chinese,
         "运行 " + chinese},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        saved(c.path);
        (main().*c.command)();
        EXPECT_EQ(platform.files.files[Script],
                  "set path=/usr/lib/jvm/bin/\r\n" + c.toolLine + "\r\n@pause\r\n");
        ASSERT_FALSE(platform.consoles().empty());
        EXPECT_EQ(platform.consoles().back().title, c.title);
    }
    EXPECT_TRUE(platform.messageBox.shown.empty());
}

TEST_F(Toolchain, NamesThatCannotStayOneWordOfOneLineAreRefusedAndNothingIsWritten) {
    using Command = void (app::frmMain::*)();
    const Command compile = &app::frmMain::mnuCombile_Click;
    const Command run = &app::frmMain::mnuRunJava_Click;
    const Command viewer = &app::frmMain::mnuJavaViewer_Click;
    const Command browser = &app::frmMain::mnuSendToExplorer_Click;
    const auto unsafe = [](const std::string& shown) {
        return "错误提示: 文件“" + shown +
               "”的路径中有换行符等控制字符或无效的字节，不能交给Java工具或浏览器。请先给文件（或"
               "它所在的文件夹）改名。";
    };
    const auto notAClass = [](const std::string& shown) {
        return "错误提示: “" + shown +
               "”不是合法的Java类名，不能运行。类名要以字母、“_”或“$”开头，只由字母、数字、“_”"
               "和“$”组成，且不能是Java的关键字。请让文件名与类名一致。";
    };
    struct Case {
        std::string path;
        Command command;
        std::string box;
    };
    const Case cases[] = {
        // A line break would end the tool's line; what follows would run as a line of its own.
        {"/s/X\njava Pwn.java", compile, unsafe("/s/X␊java Pwn.java")},
        {"/s/X\njava Pwn.java", run, unsafe("/s/X␊java Pwn.java")},
        {"/s/X\r\njava Pwn.java", compile, unsafe("/s/X␍␊java Pwn.java")},
        {"/s/X\rjava Pwn.htm", viewer, unsafe("/s/X␍java Pwn.htm")},
        {"/s/X\njava Pwn.htm", browser, unsafe("/s/X␊java Pwn.htm")},
        {std::string("/s/a\0b.java", 11), compile, unsafe("/s/a␀b.java")},
        {"/s/tab\there.java", compile, unsafe("/s/tab␉here.java")},
        {"/s/esc\x1b]0;x\a.htm", browser, unsafe("/s/esc␛]0;x␇.htm")},
        {"/s/nel\xc2\x85.java", compile, unsafe("/s/nel[U+0085].java")},
        {"/s/del\x7f.java", run, unsafe("/s/del␡.java")},
        // Bytes that are not UTF-8 name no character: the script would name another file.
        {"/s/\xff\xfe.java", compile, unsafe("/s/[\\xFF][\\xFE].java")},
        {"/s/gbk\xc4\xe3.htm", viewer, unsafe("/s/gbk[\\xC4][\\xE3].htm")},
        // The folder goes to the console and the browser too.
        {"/s/new\nline/Hello.java", compile, unsafe("/s/new␊line/Hello.java")},
        {"/s/new\nline/page.htm", browser, unsafe("/s/new␊line/page.htm")},
        // java would read these as a file of options, an option, a path or several words.
        {"/s/@Run.java", run, notAClass("@Run")},
        {"/s/-version.java", run, notAClass("-version")},
        {"/s/-cp.java", run, notAClass("-cp")},
        {"/s/1Hello.java", run, notAClass("1Hello")},
        {"/s/Hello World.java", run, notAClass("Hello World")},
        {"/s/a-b.java", run, notAClass("a-b")},
        {"/s/say \"hi\".java", run, notAClass("say \"hi\"")},
        {"/s/class.java", run, notAClass("class")},
        {"/s/中文，类.java", run, notAClass("中文，类")},
        {"/s/全角　空格.java", run, notAClass("全角　空格")},
        {"/s/evil\u202egpj.java", run, notAClass("evil[U+202E]gpj")},
        {"/s/.java", run, notAClass("")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        platform.messageBox.shown.clear();
        saved(c.path);
        (main().*c.command)();
        EXPECT_EQ(boxes(), std::vector<std::string>{c.box});
        EXPECT_EQ(platform.messageBox.shown.at(0).style, Exclamation);
    }
    EXPECT_EQ(platform.files.files.count(Script), 0u);
    EXPECT_TRUE(nothingStarted());
}

TEST_F(Toolchain, ANameTheSystemCodePageCannotHoldIsRefusedNotWrittenAsAnother) {
    platform.codePage.system = "ASCII";
    for (const auto command : {&app::frmMain::mnuCombile_Click, &app::frmMain::mnuRunJava_Click}) {
        platform.messageBox.shown.clear();
        saved("/s/中文类.java");
        (main().*command)();
        const std::string name =
            command == &app::frmMain::mnuRunJava_Click ? "中文类" : "中文类.java";
        EXPECT_EQ(boxes(), std::vector<std::string>{"错误提示: 文件名“" + name +
                                                    "”中有系统代码页（ASCII）不能表示的字符，无法写"
                                                    "入批处理文件。请先给文件改名。"});
    }
    EXPECT_EQ(platform.files.files.count(Script), 0u);
    EXPECT_TRUE(nothingStarted());
    // A name the code page holds is written as before.
    saved("/s/Hello.java");
    main().mnuCombile_Click();
    EXPECT_EQ(platform.files.files[Script],
              "set path=/usr/lib/jvm/bin/\r\njavac Hello.java\r\n@pause\r\n");
}

TEST_F(Toolchain, OnWindowsAPercentSignIsDoubledSoTheConsoleExpandsNothing) {
    platform.location.separator = '\\';
    module->SourceDir = "c:\\javasemple\\";
    module->JavaBinDir = "C:\\java\\bin\\";
    saved("c:\\javasemple\\a%PATH%b.java");
    main().mnuCombile_Click();
    EXPECT_EQ(platform.files.files["c:\\javasemple\\debug.bat"],
              "set path=C:\\java\\bin\\\r\njavac \"a%%PATH%%b.java\"\r\n@pause\r\n");
}

TEST_F(Toolchain, ALinkInTheScriptsPlaceIsReplacedAndItsTargetLeftAlone) {
    platform.files.files["/home/u/.profile"] = "keep";
    platform.files.links[Script] = "/home/u/.profile";
    saved("/home/u/src/Hello.java");
    main().mnuCombile_Click();
    EXPECT_EQ(platform.files.files["/home/u/.profile"], "keep");
    EXPECT_EQ(platform.files.links.count(Script), 0u);
    EXPECT_EQ(platform.files.files[Script],
              "set path=/usr/lib/jvm/bin/\r\njavac Hello.java\r\n@pause\r\n");
}

TEST_F(Toolchain, TheTerminalIsToldTheHelperAndATokenAndNoNameAtAll) {
    const std::string folder = "/home/u/p$(touch PWNED)q x";
    saved(folder + "/-J-version A.java");
    main().mnuCombile_Click();
    main().mnuCombile_Click();
    ASSERT_EQ(platform.processes.started.size(), 2u);
    const platform::StartRequest& request = platform.processes.started[0];
    ASSERT_EQ(request.argv.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(request.argv.begin(), request.argv.end() - 1),
              (std::vector<std::string>{"xterm", "-e", "/opt/morvane/morvane-bat", "--launch"}));
    EXPECT_TRUE(toolchain::isLaunchToken(request.argv[4]));
    EXPECT_NE(request.argv[4], platform.processes.started[1].argv[4]) << "a token per console";
    EXPECT_EQ(request.workingDirectory, folder);
    EXPECT_EQ(request.environmentAdditions, (std::vector<std::pair<std::string, std::string>>{
                                                {"XAPPLRESDIR", "/opt/morvane/x-resources/"}}));
    EXPECT_EQ(platform.privateFiles.folders, std::set<std::string>{"/run/user/1000"});
    EXPECT_EQ(
        platform.privateFiles.files.count("/run/user/1000/morvane-" + request.argv[4] + ".launch"),
        1u);
    ASSERT_EQ(platform.consoles().size(), 2u);
    EXPECT_EQ(platform.consoles()[0].workingDirectory, folder);
    EXPECT_EQ(platform.consoles()[0].script, Script);
    EXPECT_EQ(platform.consoles()[0].title, "编译 -J-version A.java");
}

TEST_F(Toolchain, TheUsersTerminalComesFirstAndTheirResourceChoicesStand) {
    auto& environment = platform.environment;
    environment.variables = {{"TERMINAL", "/usr/local/bin/kitty"}, {"XAPPLRESDIR", "/home/u/app"}};
    environment.onSearchPath = {"/usr/local/bin/kitty", "x-terminal-emulator", "xterm"};
    saved("/home/u/src/Hello.java");
    main().mnuRunJava_Click();
    // Without a runtime folder the launch file goes to a private folder under /tmp.
    EXPECT_EQ(platform.privateFiles.folders, std::set<std::string>{"/tmp/morvane-1000"});
    ASSERT_EQ(platform.processes.started.size(), 1u);
    const auto& argv = platform.processes.started[0].argv;
    EXPECT_EQ(
        std::vector<std::string>(argv.begin(), argv.end() - 1),
        (std::vector<std::string>{"/usr/local/bin/kitty", "/opt/morvane/morvane-bat", "--launch"}));
    EXPECT_TRUE(platform.processes.started[0].environmentAdditions.empty());

    environment.variables = {{"TERMINAL", "not-installed"}, {"XUSERFILESEARCHPATH", "/x/%N"}};
    main().mnuRunJava_Click();
    EXPECT_EQ(platform.processes.started.back().argv.front(), "x-terminal-emulator");
    EXPECT_EQ(platform.processes.started.back().argv[1], "-e");
    EXPECT_TRUE(platform.processes.started.back().environmentAdditions.empty());
}

TEST_F(Toolchain, WhatKeepsAConsoleFromOpeningIsSaidAndNoLaunchFileIsLeft) {
    struct Case {
        std::function<void(fakes::FakePlatform&)> arrange;
        std::string box;
    };
    const Case cases[] = {
        {[](auto& p) { p.environment.onSearchPath.clear(); }, toolchain::noTerminalMessage()},
        {[](auto& p) { p.environment.executables.clear(); },
         "找不到批处理解释程序“/opt/morvane/morvane-bat”，请重新安装本系统。"},
        {[](auto& p) { p.environment.missingDirectories.insert("/home/u/src"); },
         "工作目录“/home/u/src”不存在，无法运行批处理文件。"},
        {[](auto& p) { p.processes.refuse = true; }, "无法启动程序“xterm”。"},
        {[](auto& p) {
             p.privateFiles.failure =
                 platform::RuntimeError(75, "“/run/user/1000”：Permission denied");
         },
         "无法准备控制台窗口的启动文件：“/run/user/1000”：Permission denied"},
    };
    saved("/home/u/src/Hello.java");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        fakes::FakePlatform fresh;
        std::swap(platform.environment, fresh.environment);
        platform.processes.refuse = false;
        platform.privateFiles.failure.reset();
        platform.messageBox.shown.clear();
        c.arrange(platform);
        main().mnuCombile_Click();
        EXPECT_EQ(boxes(), std::vector<std::string>{"错误处理: " + c.box});
        EXPECT_TRUE(platform.privateFiles.files.empty());
    }
    EXPECT_TRUE(platform.processes.started.empty());
}

TEST_F(Toolchain, AnUnsetSourceDirWritesNoScriptAnywhere) {
    module->SourceDir.clear();
    saved("/home/u/src/Hello.java");
    main().mnuCombile_Click();
    EXPECT_EQ(boxes(), std::vector<std::string>{
                           "错误处理: 没有设置Java源程序目录，请先在“系统设置”中设置。"});
    EXPECT_EQ(platform.files.files.count("debug.bat"), 0u);
    EXPECT_TRUE(nothingStarted());
}

TEST_F(Toolchain, AToolsDirectoryWithARelativePartNeverBecomesTheScriptsSearchPath) {
    saved("/home/u/src/Hello.java");
    for (const std::string directory : {"/usr/lib/jvm/bin/;.", "/x:", "/jdk/\njava Pwn.java"}) {
        SCOPED_TRACE(directory);
        platform.messageBox.shown.clear();
        module->JavaBinDir = directory;
        main().mnuCombile_Click();
        ASSERT_EQ(platform.messageBox.shown.size(), 1u);
        EXPECT_TRUE(
            platform.messageBox.shown[0].prompt.starts_with("Java编译器所在目录不能使用："));
        EXPECT_TRUE(platform.messageBox.shown[0].prompt.ends_with("请在“系统设置”中重新设置。"));
    }
    EXPECT_EQ(platform.files.files.count(Script), 0u);
    EXPECT_TRUE(nothingStarted());
}

TEST_F(Toolchain, ScriptThatCannotBeWrittenIsReportedAndNothingStarts) {
    saved("/home/u/src/Hello.java");
    platform.files.files[Script] = "";
    platform.files.readOnly.insert(Script);
    main().mnuCombile_Click();
    ASSERT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(boxes()[0],
              "错误处理: 无法写入批处理文件“/home/u/src/debug.bat”：无法写入文件“/home/u/"
              "src/debug.bat”：文件是只读的");
    EXPECT_EQ(platform.messageBox.shown[0].style, platform::MsgBoxStyle::Critical);
    EXPECT_TRUE(nothingStarted());
}

TEST_F(Toolchain, AStartThatFailsIsReported) {
    saved("/home/u/src/page.htm");
    platform.processes.refuse = true;
    main().mnuJavaViewer_Click();
    main().mnuSendToExplorer_Click();
    platform.environment.onSearchPath.erase("xdg-open");
    main().mnuSendToExplorer_Click();
    EXPECT_EQ(boxes(), (std::vector<std::string>{
                           "错误处理: 无法启动程序“xterm”。", "错误处理: 无法启动程序“xdg-open”。",
                           "错误处理: 找不到程序“xdg-open”，请确认它已安装。"}));
    EXPECT_TRUE(platform.privateFiles.files.empty()) << "the unused launch file is removed";
}

TEST_F(Toolchain, ThePageOfAClassNamedWithMarkupIsWellFormed) {
    saved("/home/u/src/a\"<b>&c.java");
    main().mnuFileBuildAsHtm_Click();
    EXPECT_TRUE(platform.messageBox.shown.empty());
    EXPECT_EQ(main().ActiveForm()->FileName, "a\"<b>&c");
    EXPECT_NE(main().ActiveForm()->txtEdit().text().find(
                  "<APPLET  CODE=\"a&quot;&lt;b&gt;&amp;c.class\"  WIDTH=300 HEIGHT=150>"),
              std::string::npos);
}

TEST_F(Toolchain, PageGeneratorOpensTheSevenLinePageInANewChangedWindow) {
    auto& source = saved("/home/u/src/Hello.java");
    activeWindow().edit.type("unsaved ");
    main().mnuFileBuildAsHtm_Click();
    EXPECT_TRUE(platform.messageBox.shown.empty());
    auto& page = *main().ActiveForm();
    EXPECT_NE(&page, &source);
    EXPECT_EQ(page.Caption(), "Document 2");
    EXPECT_EQ(page.FileName, "Hello");
    EXPECT_TRUE(page.Changed);
    EXPECT_EQ(source.FileName, "Hello");
    EXPECT_EQ(page.txtEdit().text(), "<HTML>\n<HEAD>\n <TITLE>  java applet  </TITLE></HEAD>\n"
                                     "<BODY>\n<APPLET  CODE=\"Hello.class\"  WIDTH=300 "
                                     "HEIGHT=150>  </APPLET>\n</BODY>\n</HTML>");
    // Saved as a page, it holds the page's own bytes.
    platform.fileDialogs.answers.push_back("/home/u/src/Hello.htm");
    main().mnuFileSaveAsHtml_Click();
    EXPECT_EQ(platform.fileDialogs.shown.back().request.fileName, "Hello");
    EXPECT_EQ(platform.files.files["/home/u/src/Hello.htm"], toolchain::appletPageText("Hello"));
}

TEST(NameRules, ClassNamesAreJavaIdentifiersOfAnyScriptAndNothingAToolReadsAsMore) {
    for (const char* name : {"Hello", "_x", "$", "A$B", "中文类", "Ärger", "日本語", "ｆｕｌｌ",
                             "x１", "Ω", "〇号", "a‿b", "¥en", "µ", "Var", "record"}) {
        EXPECT_TRUE(toolchain::isJavaIdentifier(name)) << name;
    }
    for (const char* name : {"",       "_",     "1a",  "１a",   "a b",      "a.b",      "a-b",
                             "@x",     "-x",    "a/b", "int",   "true",     "a\u00a0b", "a\u200bb",
                             "中文。", "（x）", "a😀",  "a\x80", "\xe4\xb8", "x\ty"}) {
        EXPECT_FALSE(toolchain::isJavaIdentifier(name)) << name;
    }
    EXPECT_TRUE(toolchain::isPlainText("/home/u/源程序/Hello World.java"));
    EXPECT_EQ(toolchain::visibleText("a\tb\x7f\u2066c\xff"), "a␉b␡[U+2066]c[\\xFF]");
}

TEST(AppletPage, SevenLinesWithTheirSpacesAndNoFinalLineEnd) {
    const std::string page = toolchain::appletPageText("Hello");
    EXPECT_EQ(page.size(), 143u);
    EXPECT_EQ(toolchain::appletPageText("").size(), 138u);
    EXPECT_EQ(page.substr(page.size() - 7), "</HTML>");
    EXPECT_NE(page.find("<APPLET  CODE=\"Hello.class\"  WIDTH=300 HEIGHT=150>  </APPLET>\r\n"),
              std::string::npos);
    EXPECT_NE(page.find(" <TITLE>  java applet  </TITLE></HEAD>\r\n"), std::string::npos);
    // Whatever the name, the page stays seven lines of well-formed HTML: what HTML reads as
    // markup, and control characters, become references; blanks and letters stay as they are.
    const std::pair<std::string, std::string> names[] = {
        {"My Applet 小程序", "My Applet 小程序"}, {"My \"Applet\"", "My &quot;Applet&quot;"},
        {"a&b<c>d", "a&amp;b&lt;c&gt;d"},         {"&quot;", "&amp;quot;"},
        {"X\njava Pwn", "X&#10;java Pwn"},        {"t\tab\r", "t&#9;ab&#13;"},
    };
    for (const auto& [name, code] : names) {
        SCOPED_TRACE(name);
        const std::string text = toolchain::appletPageText(name);
        EXPECT_EQ(text,
                  page.substr(0, page.find("Hello")) + code + page.substr(page.find("Hello") + 5));
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
    }
}

TEST_F(Toolchain, ViewerWritesItsLineAndTheBrowserGetsThePathAsOneArgument) {
    saved("/home/u/src/My Page.htm");
    main().mnuJavaViewer_Click();
    EXPECT_EQ(platform.files.files[Script],
              "set path=/usr/lib/jvm/bin/\r\nappletviewer.exe \"My Page.htm\"\r\n@pause\r\n");
    EXPECT_EQ(platform.consoles().size(), 1u);
    main().mnuSendToExplorer_Click();
    ASSERT_EQ(platform.programsStarted().size(), 1u);
    EXPECT_EQ(platform.programsStarted()[0],
              (std::vector<std::string>{"xdg-open", "/home/u/src/My Page.htm"}));
    // The path is the whole caption, never a bare name: a page named like an option or a file
    // of options reaches the opener behind its folder.
    for (const std::string page : {"/home/u/src/-x.htm", "/home/u/src/@x.htm"}) {
        saved(page);
        main().mnuSendToExplorer_Click();
        EXPECT_EQ(platform.programsStarted().back(), (std::vector<std::string>{"xdg-open", page}));
    }
    EXPECT_TRUE(platform.messageBox.shown.empty());
}

TEST_F(Toolchain, OnWindowsTheBrowserCommandIsTheShellProgram) {
    platform.location.separator = '\\';
    platform.environment.onSearchPath.insert("explorer.exe");
    saved("c:\\javasemple\\Hello.htm");
    main().mnuSendToExplorer_Click();
    EXPECT_EQ(platform.programsStarted().at(0),
              (std::vector<std::string>{"explorer.exe", "c:\\javasemple\\Hello.htm"}));
    module->SourceDir = "c:\\javasemple\\";
    module->JavaBinDir = "C:\\java\\bin\\";
    main().mnuJavaViewer_Click();
    EXPECT_EQ(platform.files.files["c:\\javasemple\\debug.bat"],
              "set path=C:\\java\\bin\\\r\nappletviewer.exe Hello.htm\r\n@pause\r\n");
    const platform::StartRequest& console = platform.processes.started.back();
    EXPECT_EQ(console.argv, std::vector<std::string>{"cmd.exe"});
    EXPECT_EQ(console.nativeArguments, "/c \"\"c:\\javasemple\\debug.bat\"\"");
    EXPECT_EQ(console.environmentAdditions, (std::vector<std::pair<std::string, std::string>>{
                                                {"NoDefaultCurrentDirectoryInExePath", "1"}}))
        << "no javac.exe beside the source runs in place of the tools directory's";
    EXPECT_EQ(console.workingDirectory, "c:\\javasemple");
}

TEST(HelperFiles, BesideTheProgramInTheBuildElseInTheInstalledHelperFolder) {
    EXPECT_EQ(toolchain::installedHelperDirectory(), "../libexec/morvane");
    std::vector<std::string> asked;
    const auto present = [&](const std::string& path) {
        asked.push_back(path);
        return path == "/home/u/build/morvane-bat";
    };
    EXPECT_EQ(toolchain::helperPath("/home/u/build", '/', "morvane-bat", present),
              "/home/u/build/morvane-bat");
    EXPECT_EQ(toolchain::helperPath("/usr/bin", '/', "morvane-bat", present),
              "/usr/libexec/morvane/morvane-bat");
    EXPECT_EQ(asked,
              (std::vector<std::string>{"/home/u/build/morvane-bat", "/usr/bin/morvane-bat"}));
    EXPECT_EQ(toolchain::helperPath("C:\\M\\", '\\', "morvane-bat.exe", present),
              "C:\\libexec\\morvane\\morvane-bat.exe");

    // The X resources and the applet host, beside the program and the batch interpreter in the
    // build folder, else in the installed data folder, which the package keeps apart from the
    // programs.
    EXPECT_EQ(toolchain::installedDataDirectory(), "../share/morvane");
    EXPECT_EQ(toolchain::installedDataDirectoryFromHelpers(), "../../share/morvane");
    const auto inBuild = [](const std::string& path) {
        return path == "/home/u/build/morvane-applet-host.jar";
    };
    EXPECT_EQ(toolchain::dataPath("/usr/bin", '/', "x-resources", inBuild),
              "/usr/share/morvane/x-resources");
    EXPECT_EQ(toolchain::appletHostPath("/home/u/build/", inBuild),
              "/home/u/build/morvane-applet-host.jar");
    EXPECT_EQ(toolchain::appletHostPath("/usr/libexec/morvane/", inBuild),
              "/usr/share/morvane/morvane-applet-host.jar");
    EXPECT_EQ(toolchain::installedFilePath("/", '/', "", "x", inBuild), "/x");
}

} // namespace
