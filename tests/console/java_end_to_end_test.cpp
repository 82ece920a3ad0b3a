// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// The build scripts the workbench writes, run by the built interpreter with the real JDK.

#include "app_fixture.h"
#include "real_java.h"
#include "run_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace console_test;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

const std::string kHello = "public class Hello {\n"
                           "    public static void main(String[] args) {\n"
                           "        System.out.println(\"Hello from MORVANE\");\n"
                           "    }\n"
                           "}\n";

TEST_F(RealJava, CompileMakesTheClassAndRunPrintsTheOutput) {
    TempDir dir;
    writeFile(dir / "Hello.java", kHello);

    Finished compile = runScript(dir.path(), writeDebugBat(dir.path(), "javac Hello.java"));
    EXPECT_EQ(compile.out, "\n" + dir.path() + ">set path=" + bin_ +
                               "\n"
                               "\n" +
                               dir.path() +
                               ">javac Hello.java\n"
                               "请按任意键继续. . .\n");
    EXPECT_EQ(compile.exitCode, 0) << compile.err;
    EXPECT_TRUE(exists(dir / "Hello.class"));

    Finished runJava = runScript(dir.path(), writeDebugBat(dir.path(), "java Hello"));
    EXPECT_EQ(runJava.out, "\n" + dir.path() + ">set path=" + bin_ +
                               "\n"
                               "\n" +
                               dir.path() +
                               ">java Hello\n"
                               "Hello from MORVANE\n"
                               "请按任意键继续. . .\n");
    EXPECT_EQ(runJava.exitCode, 0) << runJava.err;
}

TEST_F(RealJava, CompileErrorShowsJavacsMessage) {
    TempDir dir;
    writeFile(dir / "Broken.java", "public class Broken {\n    int x = ;\n}\n");
    Finished f = runScript(dir.path(), writeDebugBat(dir.path(), "javac Broken.java"));
    EXPECT_THAT(f.err, HasSubstr("Broken.java:2: error:"));
    EXPECT_THAT(f.out, HasSubstr("请按任意键继续. . .")) << "the pause still comes";
    EXPECT_FALSE(exists(dir / "Broken.class"));
    EXPECT_EQ(f.exitCode, 1);
}

TEST_F(RealJava, GbkSourceWithChineseTextCompilesAndPrintsIt) {
    TempDir dir;
    // "你好，世界" in GBK, as a Chinese Windows editor saves it.
    const std::string gbkGreeting = "\xc4\xe3\xba\xc3\xa3\xac\xca\xc0\xbd\xe7";
    writeFile(dir / "Greeting.java", "public class Greeting {\n"
                                     "    public static void main(String[] args) {\n"
                                     "        System.out.println(\"" +
                                         gbkGreeting +
                                         "\");\n"
                                         "    }\n"
                                         "}\n");
    std::string script = writeDebugBat(dir.path(), "javac Greeting.java");
    const std::string written = readFile(script);

    Finished compile = runScript(dir.path(), script);
    EXPECT_EQ(compile.exitCode, 0) << compile.err;
    EXPECT_TRUE(exists(dir / "Greeting.class"));
    EXPECT_EQ(readFile(script), written) << "the script stays as written";

    Finished runJava = runScript(dir.path(), writeDebugBat(dir.path(), "java Greeting"));
    EXPECT_THAT(runJava.out, HasSubstr(">java Greeting\n你好，世界\n"));
    EXPECT_EQ(runJava.exitCode, 0) << runJava.err;
}

TEST_F(RealJava, FolderWithShellCharactersCompilesRightAndRunsNothingElse) {
    TempDir root;
    const std::string dir = root / "my src \"q\" & ; $(touch pwned) `touch pwned` 'x'";
    makeDirectory(dir);
    writeFile(dir + "/Hello.java", kHello);

    Finished compile = runScript(dir, writeDebugBat(dir, "javac Hello.java"));
    EXPECT_EQ(compile.exitCode, 0) << compile.err;
    EXPECT_TRUE(exists(dir + "/Hello.class"));

    // A base name holding shell characters reaches javac as plain words.
    Finished odd = runScript(dir, writeDebugBat(dir, "javac a;touch pwned&$(touch pwned).java"));
    EXPECT_THAT(odd.err, HasSubstr("a;touch"));
    EXPECT_NE(odd.exitCode, 0);

    Finished runJava = runScript(dir, writeDebugBat(dir, "java Hello"));
    EXPECT_THAT(runJava.out, HasSubstr("\nHello from MORVANE\n"));
    EXPECT_THAT(namesBelow(root.path()), Not(Contains("pwned")));
    EXPECT_FALSE(exists("pwned"));
}

// An applet that notes what its viewer gives it, then closes its own window.
const std::string kProbeApplet = R"(import java.applet.Applet;
import java.awt.*;
import java.awt.event.WindowEvent;
import java.nio.charset.StandardCharsets;
import java.nio.file.*;

public class Probe extends Applet {
    private void note(String line) {
        try {
            Files.write(Paths.get("record.txt"), (line + "\n").getBytes(StandardCharsets.UTF_8),
                    StandardOpenOption.CREATE, StandardOpenOption.APPEND);
        } catch (Exception e) {
            throw new RuntimeException(e);
        }
    }
    public void init() {
        note("init " + getWidth() + "x" + getHeight() + " " + getParameter("GREETING") + " "
                + getParameter("missing") + " " + getCodeBase() + " " + getDocumentBase());
    }
    public void start() {
        Container c = this;
        while (!(c instanceof Frame)) c = c.getParent();
        Frame frame = (Frame) c;
        showStatus("状态");
        note("start " + frame.getTitle() + " " + isShowing() + " " + isActive()
                + " " + (getAppletContext().getApplets().nextElement() == this));
        EventQueue.invokeLater(() -> frame.dispatchEvent(
                new WindowEvent(frame, WindowEvent.WINDOW_CLOSING)));
    }
    public void stop() { note("stop"); }
    public void destroy() { note("destroy"); }
}
)";

// The page the workbench generates, with a parameter in the applet tag.
std::string probePage(const std::string& code) {
    return "<HTML>\r\n<HEAD>\r\n <TITLE>  java applet  </TITLE></HEAD>\r\n<BODY>\r\n"
           "<APPLET  CODE=\"" +
           code +
           "\"  WIDTH=300 HEIGHT=150> <param name=greeting value=\"你好 世界\"> </APPLET>\r\n"
           "</BODY>\r\n</HTML>";
}

TEST_F(RealJava, AnAppletPageNamedWithBlanksShowsInAWindowOnTheJdksJava) {
    TempDir root;
    const std::string dir = root / "我的 applets";
    makeDirectory(dir);
    writeFile(dir + "/Probe.java", kProbeApplet);
    Finished compile = runScript(dir, writeDebugBat(dir, "javac Probe.java"));
    ASSERT_EQ(compile.exitCode, 0) << compile.err;
    writeFile(dir + "/My Page 页.htm", probePage("Probe.class"));

    // The JDK has no applet viewer; the host shows the page on a display of its own.
    ASSERT_FALSE(exists(bin_ + "appletviewer"));
    const std::string script = writeDebugBat(dir, "appletviewer.exe \"My Page 页.htm\"");
    Finished shown = run({"/usr/bin/xvfb-run", "-a", interpreterPath(), dir, script}, {},
                         environmentWith({"DISPLAY"}));
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_THAT(shown.out, HasSubstr(">appletviewer.exe \"My Page 页.htm\"\n请按任意键继续. . ."));
    const std::vector<std::string> record = readLines(dir + "/record.txt");
    ASSERT_EQ(record.size(), 4u) << shown.err;
    EXPECT_THAT(record[0], HasSubstr("init 300x150 你好 世界 null file:"));
    EXPECT_THAT(record[0], HasSubstr("/我的%20applets/ file:"));
    EXPECT_THAT(record[0], HasSubstr("/我的%20applets/My%20Page%20页.htm"));
    EXPECT_EQ(record[1], "start Applet 查看器：Probe true true true");
    EXPECT_EQ(record[2], "stop");
    EXPECT_EQ(record[3], "destroy");
}

TEST_F(RealJava, WhatKeepsAnAppletFromShowingIsOneChineseLineBeforeThePause) {
    TempDir dir;
    writeFile(dir / "Plain.java", "public class Plain {}\n");
    writeFile(dir / "Probe.java", kProbeApplet);
    ASSERT_EQ(
        runScript(dir.path(), writeDebugBat(dir.path(), "javac Plain.java Probe.java")).exitCode,
        0);
    struct Case {
        std::string code;
        std::vector<std::string> environment;
        std::string line;
        std::string toolLine = "appletviewer.exe page.htm";
    };
    const Case cases[] = {
        {"Missing.class", {"DISPLAY"}, "找不到 Applet 类“Missing”：请先编译，Missing.class 应在 "},
        // The page names the class as HTML does: references stand for their characters.
        {"Mi&amp;&quot;&lt;s&#x4E2D;&#25991;.class", {"DISPLAY"}, "找不到 Applet 类“Mi&\"<s中文”"},
        {"Plain.class", {"DISPLAY"}, "类“Plain”不是 Applet"},
        {"Probe.class", {"DISPLAY"}, "无法打开 Applet 窗口：没有图形显示"},
        {"Probe.class", {"JDK_JAVA_OPTIONS=--limit-modules java.base"}, "没有 java.applet"},
        // A word like an option is a page name to the host, not an option to java.
        {"Probe.class", {"DISPLAY"}, "无法读取页面文件“-version”", "appletviewer.exe -version"},
        {"",
         {"DISPLAY"},
         "页面“./-page.htm”中没有 APPLET 标记",
         "appletviewer.exe \"./-page.htm\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.toolLine + " " + c.code + " " + c.environment.front());
        writeFile(dir / "page.htm", probePage(c.code));
        writeFile(dir / "-page.htm", "<html><p>没有 applet</p></html>");
        Finished f = runScript(dir.path(), writeDebugBat(dir.path(), c.toolLine),
                               environmentWith(c.environment));
        EXPECT_THAT(f.err, HasSubstr(c.line));
        EXPECT_THAT(f.err, Not(HasSubstr("version \"")));
        EXPECT_THAT(f.out, HasSubstr("请按任意键继续. . ."));
        EXPECT_NE(f.exitCode, 0);
        EXPECT_FALSE(exists(dir / "record.txt"));
    }
}

TEST_F(RealJava, WithoutJavaOnTheScriptsPathTheConsoleSaysTheViewerIsMissing) {
    TempDir dir;
    writeFile(dir / "Hello.htm", "<applet code=Hello.class></applet>\r\n");
    writeFile(dir / "debug.bat",
              "set path=" + dir.path() + "/\r\nappletviewer.exe Hello.htm\r\n@pause\r\n");
    Finished f = runScript(dir.path(), dir / "debug.bat");
    EXPECT_EQ(f.err, "'appletviewer.exe' 不是内部或外部命令，也不是可运行的程序\n或批处理文件。\n");
    EXPECT_EQ(f.out, "\n" + dir.path() + ">set path=" + dir.path() +
                         "/\n"
                         "\n" +
                         dir.path() +
                         ">appletviewer.exe Hello.htm\n"
                         "请按任意键继续. . .\n");
    EXPECT_EQ(f.exitCode, 127);
}

TEST_F(RealJava, AFileNamedLikeAnOptionIsCompiledAsAFileAndPassesNoOption) {
    TempDir dir;
    writeFile(dir / "-J-version A.java", "class A {}\n");
    Finished f = runScript(dir.path(), writeDebugBat(dir.path(), "javac \"./-J-version A.java\""));
    EXPECT_THAT(f.err, Not(HasSubstr("openjdk version")));
    EXPECT_THAT(f.err, Not(HasSubstr("invalid flag")));
    EXPECT_EQ(f.exitCode, 0) << f.err;
    EXPECT_TRUE(exists(dir / "A.class"));
}

// --- What the workbench writes for hostile names, run for real ------------------------------

// A program that leaves a marker in the folder it runs in: what an attack would run.
const std::string kPwn =
    "public class Pwn {\n"
    "    public static void main(String[] a) throws Exception {\n"
    "        java.nio.file.Files.writeString(java.nio.file.Path.of(\"MARKER\"), "
    "\"ran\");\n"
    "    }\n"
    "}\n";

// The workbench's own commands on the fake platform, with the tools directories of Set.ini; what
// a command writes is then run by morvane-bat with the real JDK, in the folder and from the
// script the console would be given.
class Workbench : public RealJava {
protected:
    void startWith(const std::string& setIni) {
        workbench_.writeSetIni(setIni);
        workbench_.start();
    }
    // Opens the file at path as the Open command would, runs the command on it and runs the
    // script it wrote, if it wrote one.
    std::optional<Finished> command(const std::string& path, void (app::frmMain::*run)()) {
        auto& platform = workbench_.platform;
        platform.files.files[path] = readFile(path);
        platform.fileDialogs.answers.push_back(path);
        workbench_.main().mnuFileOpen_Click();
        const std::size_t consoles = platform.consoles().size();
        (workbench_.main().*run)();
        if (platform.consoles().size() == consoles) {
            return std::nullopt;
        }
        const auto console = platform.consoles().back();
        writeFile(console.script, platform.files.files.at(console.script));
        return runScript(console.workingDirectory, console.script);
    }
    std::string prompts() const {
        std::string text;
        for (const auto& box : workbench_.platform.messageBox.shown) {
            text += box.prompt + "\n";
        }
        return text;
    }

    AppFixture workbench_;
};

TEST_F(Workbench, ALineBreakInANameRunsNothingAndWritesNoScript) {
    TempDir dir;
    startWith(bin_ + "\r\n" + dir.path() + "/\r\n");
    writeFile(dir / "Pwn.java", kPwn);
    for (const std::string name : {"X\njava Pwn.java", "X\r\njava Pwn.java"}) {
        SCOPED_TRACE(name);
        writeFile(dir / name, "class X {}\n");
        EXPECT_EQ(command(dir / name, &app::frmMain::mnuCombile_Click), std::nullopt);
        EXPECT_EQ(command(dir / name, &app::frmMain::mnuRunJava_Click), std::nullopt);
        EXPECT_FALSE(exists(dir / "MARKER"));
        EXPECT_FALSE(exists(dir / "debug.bat"));
    }
    EXPECT_THAT(prompts(), HasSubstr("X␊java Pwn.java"));
    EXPECT_THAT(prompts(), HasSubstr("X␍␊java Pwn.java"));

    // The same folder and tools run an ordinary source: the refusals above are no accident.
    writeFile(dir / "Hello.java", kHello);
    const std::optional<Finished> compiled =
        command(dir / "Hello.java", &app::frmMain::mnuCombile_Click);
    ASSERT_TRUE(compiled.has_value());
    EXPECT_EQ(compiled->exitCode, 0) << compiled->err;
    const std::optional<Finished> ran =
        command(dir / "Hello.java", &app::frmMain::mnuRunJava_Click);
    ASSERT_TRUE(ran.has_value());
    EXPECT_THAT(ran->out, HasSubstr("\nHello from MORVANE\n"));
}

TEST_F(Workbench, ALeadingAtSignReadsNoFileOfArguments) {
    TempDir dir;
    startWith(bin_ + "\r\n" + dir.path() + "/\r\n");
    writeFile(dir / "Pwn.java", kPwn);
    // Run of @Run.java: java @Run would read the file Run and run Pwn.java.
    writeFile(dir / "@Run.java", "class Run {}\n");
    writeFile(dir / "Run", "Pwn.java\n");
    EXPECT_EQ(command(dir / "@Run.java", &app::frmMain::mnuRunJava_Click), std::nullopt);
    EXPECT_THAT(prompts(), HasSubstr("“@Run”不是合法的Java类名"));
    // Compile of @opts.java: javac @opts.java would take its options from the file opts.java.
    writeFile(dir / "@opts.java", "class Opts {}\n");
    writeFile(dir / "opts.java", "-d pwned-out Pwn.java\n");
    const std::optional<Finished> compiled =
        command(dir / "@opts.java", &app::frmMain::mnuCombile_Click);
    ASSERT_TRUE(compiled.has_value());
    EXPECT_EQ(compiled->exitCode, 0) << compiled->err;
    EXPECT_THAT(compiled->out, HasSubstr(">javac \"./@opts.java\"\n"));
    EXPECT_TRUE(exists(dir / "Opts.class")) << "the file itself is compiled";
    EXPECT_FALSE(exists(dir / "pwned-out"));
    EXPECT_FALSE(exists(dir / "Pwn.class"));
    EXPECT_FALSE(exists(dir / "MARKER"));
    // The viewer's page reaches the applet host as the page, read from that file.
    writeFile(dir / "@page.htm", probePage("Missing.class"));
    writeFile(dir / "page.htm", "-version\n");
    const std::optional<Finished> shown =
        command(dir / "@page.htm", &app::frmMain::mnuJavaViewer_Click);
    ASSERT_TRUE(shown.has_value());
    EXPECT_THAT(shown->out, HasSubstr(">appletviewer.exe \"./@page.htm\"\n"));
    EXPECT_THAT(shown->err, HasSubstr("找不到 Applet 类“Missing”"));
}

TEST_F(Workbench, AToolsDirectoryWithARelativePartRunsNoJavacPlantedBesideTheSource) {
    TempDir dir;
    // A javac beside the source, where "." in the tools directory would find it.
    writeFile(dir / "javac", "#!/bin/sh\necho planted > MARKER\n");
    makeExecutable(dir / "javac");
    writeFile(dir / "Hello.java", kHello);
    startWith(dir / "no-such-jdk;.\r\n" + dir.path() + "/\r\n");
    EXPECT_EQ(workbench_.platform.windows.settingsDialogsCreated, 1)
        << "the directory counts as not set";
    const std::optional<Finished> compiled =
        command(dir / "Hello.java", &app::frmMain::mnuCombile_Click);
    ASSERT_TRUE(compiled.has_value());
    EXPECT_EQ(compiled->exitCode, 127) << "no javac found at all";
    EXPECT_FALSE(exists(dir / "MARKER"));
}

} // namespace
