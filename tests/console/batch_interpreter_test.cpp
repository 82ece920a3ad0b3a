// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "console/batch_interpreter.h"
#include "files/plain_text.h"

#include <algorithm>
#include <map>
#include <set>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using console::Environment;
using console::Interpreter;
using console::LineKind;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// Records everything the interpreter asks of the machine in one transcript, so the order of
// output, waiting and program starts can be checked together.
class FakeHost : public console::Host {
public:
    struct Started {
        std::string program;
        std::vector<std::string> arguments;
        std::vector<std::string> environment;

        std::optional<std::string> variable(const std::string& name) const {
            return Environment::fromEntries(environment).get(name);
        }
    };

    std::set<std::string> executables;
    std::map<std::string, std::string> files;
    std::map<std::string, console::RunResult> results;
    bool terminal = false;

    std::string transcript;
    std::string errors;
    std::vector<Started> started;
    std::vector<std::string> filesRead;
    int keysWaited = 0;

    bool isExecutable(const std::string& path) override { return executables.count(path) > 0; }
    std::optional<std::string> readFile(const std::string& path) override {
        filesRead.push_back(path);
        auto it = files.find(path);
        return it == files.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    console::RunResult run(const std::string& program, const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment) override {
        started.push_back({program, arguments, environment});
        transcript += "[run " + program + "]";
        auto it = results.find(program);
        return it == results.end() ? console::RunResult{true, 0, ""} : it->second;
    }
    bool inputIsTerminal() override { return terminal; }
    void waitForKey() override {
        ++keysWaited;
        transcript += "[key]";
    }
    void writeOutput(std::string_view bytes) override { transcript += bytes; }
    void writeError(std::string_view bytes) override {
        transcript += bytes;
        errors += bytes;
    }
};

const std::string kNotFoundTail = "' 不是内部或外部命令，也不是可运行的程序\n或批处理文件。\n";
// "你好" as a Chinese Windows saves it.
const std::string kGbkHello = "\xc4\xe3\xba\xc3";

struct InterpreterTest : ::testing::Test {
    FakeHost host;
    Environment inherited = Environment::fromEntries({"PATH=/usr/bin:/bin", "HOME=/root"});

    Interpreter interpreter() { return Interpreter(host, "/work/src", inherited); }
    int run(const std::string& script) {
        Interpreter i = interpreter();
        return i.runScript(script);
    }
};

// --- Lines --------------------------------------------------------------------------------

struct Classified {
    std::string line;
    LineKind kind;
    bool echoed;
    std::string argument;
};

TEST(ClassifyLine, RecognisesTheConsoleWordsAndNothingLongerThanThem) {
    const std::vector<Classified> cases = {
        {"", LineKind::Nothing, true, ""},
        {"   \t", LineKind::Nothing, true, ""},
        {"@", LineKind::Nothing, false, ""},
        {"rem compile it", LineKind::Remark, true, ""},
        {"REM", LineKind::Remark, true, ""},
        {"remark", LineKind::Program, true, ""},
        {"@pause", LineKind::Pause, false, ""},
        {"  @ @PAUSE  ", LineKind::Pause, false, ""},
        {"pause now", LineKind::Pause, true, ""},
        {"pauses", LineKind::Program, true, ""},
        {"echo hello  world ", LineKind::Echo, true, "hello  world "},
        {"echo.", LineKind::Echo, true, ""},
        {"echo.two words", LineKind::Echo, true, "two words"},
        {"echo", LineKind::EchoMode, true, ""},
        {"@echo OFF ", LineKind::EchoMode, false, "off"},
        {"echo on", LineKind::EchoMode, true, "on"},
        {"echo only", LineKind::Echo, true, "only"},
        {"echoes x", LineKind::Program, true, ""},
        {"set path=C:\\java\\bin\\", LineKind::Set, true, "path=C:\\java\\bin\\"},
        {"SET   CLASSPATH=.", LineKind::Set, true, "CLASSPATH=."},
        {"settings", LineKind::Program, true, ""},
        {"javac Hello.java", LineKind::Program, true, ""},
        {"@appletviewer.exe Hello.htm", LineKind::Program, false, ""},
    };
    for (const Classified& c : cases) {
        console::ScriptLine line = console::classifyLine(c.line);
        EXPECT_EQ(line.kind, c.kind) << '"' << c.line << '"';
        EXPECT_EQ(line.echoed, c.echoed) << '"' << c.line << '"';
        EXPECT_EQ(line.argument, c.argument) << '"' << c.line << '"';
    }
    EXPECT_EQ(console::classifyLine("  @javac  A.java").text, "javac  A.java");
}

TEST(SplitLines, TakesCrLfAndLfAsLineEndsAndKeepsEmptyLines) {
    EXPECT_THAT(console::splitLines("set path=/x/\r\njavac A.java\r\n@pause\r\n"),
                ElementsAre("set path=/x/", "javac A.java", "@pause"));
    EXPECT_THAT(console::splitLines("a\n\r\nb"), ElementsAre("a", "", "b"));
    EXPECT_THAT(console::splitLines(""), IsEmpty());
    EXPECT_THAT(console::splitLines("a\r"), ElementsAre("a"));
}

TEST(SplitWords, SplitsAtBlankRunsQuotesGroupAndNothingElseIsInterpreted) {
    EXPECT_THAT(console::splitWords("  javac \t -d  out My File.java  "),
                ElementsAre("javac", "-d", "out", "My", "File.java"));
    EXPECT_THAT(
        console::splitWords("say \"a b\" $(touch x) a;b&c `id` 'q' %PATH% |x >y"),
        ElementsAre("say", "a b", "$(touch", "x)", "a;b&c", "`id`", "'q'", "%PATH%", "|x", ">y"));
    EXPECT_THAT(console::splitWords("javac \"./-J-version A.java\""),
                ElementsAre("javac", "./-J-version A.java"));
    EXPECT_THAT(console::splitWords("java \"say \"\"hi\"\"\" \"\" a\"b c\"d \"open end"),
                ElementsAre("java", "say \"hi\"", "", "ab cd", "open end"));
    EXPECT_THAT(console::splitWords("\"a&b|c<d>e^f%g%\t\""), ElementsAre("a&b|c<d>e^f%g%\t"));
    EXPECT_THAT(console::splitWords(std::string("a\0b", 3)), ElementsAre("a", "b"));
    EXPECT_THAT(console::splitWords(" \t "), IsEmpty());
}

TEST(PathList, SplitsAtTheSeparatorDropsEmptyEntriesAndKeepsBlanks) {
    EXPECT_THAT(console::splitPathList("/a b/;;/c/;", ';'), ElementsAre("/a b/", "/c/"));
    EXPECT_THAT(console::splitPathList("", ';'), IsEmpty());
    EXPECT_THAT(console::splitPathList("/usr/bin:/bin", ':'), ElementsAre("/usr/bin", "/bin"));
    EXPECT_EQ(console::joinPathList({"/a", "/b c"}, ':'), "/a:/b c");
    EXPECT_EQ(console::joinPathList({}, ':'), "");
}

TEST(ProgramCandidates, SearchEveryEntryThenTheNameWithoutExe) {
    const std::vector<std::string> path = {"/jdk/bin/", "/usr/bin", "tools"};
    EXPECT_THAT(console::programCandidates("javac", path, "/w"),
                ElementsAre("/jdk/bin/javac", "/usr/bin/javac", "/w/tools/javac"));
    EXPECT_THAT(console::programCandidates("appletviewer.exe", {"/jdk/bin/"}, "/w"),
                ElementsAre("/jdk/bin/appletviewer.exe", "/jdk/bin/appletviewer"));
    EXPECT_THAT(console::programCandidates("JAVA.EXE", {"/jdk/bin/"}, "/w"),
                ElementsAre("/jdk/bin/JAVA.EXE", "/jdk/bin/JAVA"));
    // A name with a directory part is not looked up in the search path.
    EXPECT_THAT(console::programCandidates("./tool.exe", path, "/w"),
                ElementsAre("/w/./tool.exe", "/w/./tool"));
    EXPECT_THAT(console::programCandidates("/opt/x", path, "/w"), ElementsAre("/opt/x"));
    EXPECT_THAT(console::programCandidates(".exe", {"/b"}, "/w"), ElementsAre("/b/.exe"));
    EXPECT_THAT(console::programCandidates("javac", {}, "/w"), IsEmpty());
}

TEST(Texts, NotFoundMessageAndPromptAreTheConsoleOnes) {
    EXPECT_EQ(console::notFoundMessage("appletviewer.exe"),
              "'appletviewer.exe' 不是内部或外部命令，也不是可运行的程序\n或批处理文件。\n");
    EXPECT_EQ(console::prompt("/home/u/java"), "/home/u/java>");
    EXPECT_EQ(console::prompt("/"), "/>");
}

TEST(Utf8, AcceptsWellFormedTextOnly) {
    EXPECT_TRUE(files::isValidUtf8("class A {}"));
    EXPECT_TRUE(files::isValidUtf8("你好，世界 \xf0\x9f\x98\x80"));
    EXPECT_TRUE(files::isValidUtf8(""));
    EXPECT_FALSE(files::isValidUtf8(kGbkHello));
    EXPECT_FALSE(files::isValidUtf8("\xe4\xbd"));         // cut short
    EXPECT_FALSE(files::isValidUtf8("\xc0\xaf"));         // overlong "/"
    EXPECT_FALSE(files::isValidUtf8("\xe0\x80\xaf"));     // overlong "/"
    EXPECT_FALSE(files::isValidUtf8("\xed\xa0\x80"));     // surrogate
    EXPECT_FALSE(files::isValidUtf8("\xf4\x90\x80\x80")); // past U+10FFFF
    EXPECT_FALSE(files::isValidUtf8("a\x80z"));           // stray continuation
    EXPECT_FALSE(files::isValidUtf8("\xe4\xbd\x41"));     // broken sequence
}

TEST(NamesJavac, AnySpellingOfJavacButNothingElse) {
    EXPECT_TRUE(console::namesJavac("javac"));
    EXPECT_TRUE(console::namesJavac("JAVAC.EXE"));
    EXPECT_TRUE(console::namesJavac("/usr/bin/javac"));
    EXPECT_FALSE(console::namesJavac("java"));
    EXPECT_FALSE(console::namesJavac("javacx"));
    EXPECT_FALSE(console::namesJavac("/javac/java"));
}

TEST(EnvironmentTest, KeepsOrderReplacesAndRemovesByExactName) {
    Environment env = Environment::fromEntries({"A=1", "B=x=y", "junk", "=bad", "A=2"});
    EXPECT_THAT(env.entries(), ElementsAre("A=2", "B=x=y"));
    env.set("C", "");
    env.unset("A");
    EXPECT_THAT(env.entries(), ElementsAre("B=x=y", "C="));
    EXPECT_FALSE(env.get("a").has_value());
}

// --- Running scripts ----------------------------------------------------------------------

TEST_F(InterpreterTest, CompileScriptEchoesSetsThePathRunsJavacAndPauses) {
    host.executables = {"/jdk/bin/javac"};
    int level = run("set path=/jdk/bin/\r\njavac Hello.java\r\n@pause\r\n");

    EXPECT_EQ(host.transcript, "\n/work/src>set path=/jdk/bin/\n"
                               "\n/work/src>javac Hello.java\n"
                               "[run /jdk/bin/javac]"
                               "请按任意键继续. . .\n");
    ASSERT_EQ(host.started.size(), 1u);
    EXPECT_THAT(host.started[0].arguments, ElementsAre("javac", "Hello.java"));
    EXPECT_EQ(host.started[0].variable("PATH"), "/jdk/bin/");
    EXPECT_EQ(host.started[0].variable("HOME"), "/root");
    EXPECT_EQ(host.keysWaited, 0) << "standard input is no terminal";
    EXPECT_EQ(level, 0);
}

TEST_F(InterpreterTest, PauseWaitsForOneKeyAfterItsTextOnATerminal) {
    host.terminal = true;
    run("@pause\r\npause\r\n");
    EXPECT_EQ(host.transcript, "请按任意键继续. . .[key]\n"
                               "\n/work/src>pause\n请按任意键继续. . .[key]\n");
    EXPECT_EQ(host.keysWaited, 2);
}

TEST_F(InterpreterTest, RemarksEmptyLinesAndEchoDoNothingButPrint) {
    host.executables = {"/usr/bin/rem", "/usr/bin/echo"};
    run("\r\n   \r\n@rem quiet\r\nrem shown\r\n@echo hello  there\r\n@echo.\r\n@echo\r\n");
    EXPECT_EQ(host.transcript, "\n/work/src>rem shown\nhello  there\n\nECHO 处于打开状态。\n");
    EXPECT_THAT(host.started, IsEmpty());
}

TEST_F(InterpreterTest, EchoOffSilencesTheFollowingLines) {
    host.executables = {"/usr/bin/tool"};
    run("@echo off\r\ntool\r\necho text\r\necho\r\necho on\r\ntool\r\n");
    EXPECT_EQ(host.transcript, "[run /usr/bin/tool]text\nECHO 处于关闭状态。\n"
                               "\n/work/src>tool\n[run /usr/bin/tool]");
}

TEST_F(InterpreterTest, SetPathReplacesTheInheritedSearchPathEntirely) {
    host.executables = {"/usr/bin/ls", "/b/ls", "/a/tool", "/b/tool"};
    run("@ls\r\n@set path=/a;;/b\r\n@ls\r\n@tool\r\n@set path=/nowhere/\r\n@ls\r\n");
    ASSERT_EQ(host.started.size(), 3u);
    EXPECT_EQ(host.started[0].program, "/usr/bin/ls");
    EXPECT_EQ(host.started[1].program, "/b/ls");
    EXPECT_EQ(host.started[1].variable("PATH"), "/a:/b");
    EXPECT_EQ(host.started[2].program, "/a/tool") << "entries are searched in order";
    EXPECT_EQ(host.errors, "'ls" + kNotFoundTail);
}

TEST_F(InterpreterTest, SetPathKeepsAnEntryWithTheListSeparatorWhole) {
    host.executables = {"/opt/jdk:17/bin/javac"};
    Interpreter i = interpreter();
    i.runScript("@set path=/opt/jdk:17/bin/\r\n@javac A.java\r\n");
    ASSERT_EQ(host.started.size(), 1u);
    EXPECT_EQ(host.started[0].program, "/opt/jdk:17/bin/javac");
    EXPECT_THAT(i.searchPath(), ElementsAre("/opt/jdk:17/bin/"));
}

TEST_F(InterpreterTest, EmptySetPathLeavesNothingToSearch) {
    host.executables = {"/usr/bin/javac"};
    Interpreter i = interpreter();
    i.runScript("set path=\r\n@javac A.java\r\n");
    EXPECT_THAT(host.started, IsEmpty());
    EXPECT_FALSE(i.environment().get("PATH").has_value());
    EXPECT_EQ(host.errors, "'javac" + kNotFoundTail);
}

TEST_F(InterpreterTest, OtherVariablesAreSetRemovedListedAndReachPrograms) {
    host.executables = {"/usr/bin/tool"};
    run("@set CLASSPATH=.;lib\r\n@tool\r\n@set CLASSPATH=\r\n@tool\r\n@set =x\r\n"
        "@set HO\r\n@set NOPE\r\n");
    ASSERT_EQ(host.started.size(), 2u);
    EXPECT_EQ(host.started[0].variable("CLASSPATH"), ".;lib");
    EXPECT_FALSE(host.started[1].variable("CLASSPATH").has_value());
    EXPECT_THAT(host.transcript, HasSubstr("HOME=/root\n"));
    EXPECT_EQ(host.errors, "命令语法不正确。\n环境变量 NOPE 没有定义\n");
}

TEST_F(InterpreterTest, MissingProgramPrintsTheConsoleTextAndTheScriptGoesOn) {
    host.executables = {"/jdk/bin/java"};
    int level = run("@set path=/jdk/bin/\r\nappletviewer.exe Hello.htm\r\n@java Hello\r\n");
    EXPECT_EQ(host.transcript, "\n/work/src>appletviewer.exe Hello.htm\n"
                               "'appletviewer.exe' 不是内部或外部命令，也不是可运行的程序\n"
                               "或批处理文件。\n"
                               "[run /jdk/bin/java]");
    EXPECT_EQ(level, 0) << "the error level is the last program's";
    EXPECT_EQ(run("@nothing-here\r\n"), console::ExitCode::NotFound);
}

TEST_F(InterpreterTest, ExeNameFallsBackToTheNameWithoutExeOnlyWhenMissing) {
    host.executables = {"/jdk/bin/appletviewer", "/jdk/bin/java.exe", "/jdk/bin/java"};
    run("@set path=/jdk/bin/\r\n@appletviewer.exe Hello.htm\r\n@java.exe Hello\r\n");
    ASSERT_EQ(host.started.size(), 2u);
    EXPECT_EQ(host.started[0].program, "/jdk/bin/appletviewer");
    EXPECT_THAT(host.started[0].arguments, ElementsAre("appletviewer.exe", "Hello.htm"));
    EXPECT_EQ(host.started[1].program, "/jdk/bin/java.exe");
}

TEST_F(InterpreterTest, WordsReachTheProgramAsTheyStandAndQuotedNamesAsOneArgument) {
    host.executables = {"/usr/bin/say"};
    run("@say  $(touch pwned)  a;touch&x \"q r\"\t`id`\r\n");
    ASSERT_EQ(host.started.size(), 1u);
    EXPECT_THAT(host.started[0].arguments,
                ElementsAre("say", "$(touch", "pwned)", "a;touch&x", "q r", "`id`"));
}

TEST_F(InterpreterTest, WithoutAnAppletViewerTheAppletHostRunsInTheScriptsJava) {
    const std::string script = "@set path=/jdk/bin/\r\nappletviewer.exe \"My Page 页.htm\"\r\n";
    host.executables = {"/jdk/bin/java", "/usr/bin/java"};
    Interpreter withHost = interpreter();
    withHost.setAppletHost("/opt/m/morvane-applet-host.jar");
    withHost.runScript(script);
    ASSERT_EQ(host.started.size(), 1u);
    EXPECT_EQ(host.started[0].program, "/jdk/bin/java");
    EXPECT_THAT(host.started[0].arguments,
                ElementsAre("java", "-jar", "/opt/m/morvane-applet-host.jar", "My Page 页.htm"));
    EXPECT_TRUE(host.errors.empty());
    host.started.clear();

    // An applet viewer on the path is used as it is; without java, or without a host, the
    // console says the viewer is missing.
    host.executables = {"/jdk/bin/appletviewer", "/jdk/bin/java"};
    withHost.runScript(script);
    EXPECT_EQ(host.started.back().program, "/jdk/bin/appletviewer");
    host.started.clear();
    host.executables = {"/usr/bin/java"};
    withHost.runScript(script);
    run(script);
    host.executables = {"/jdk/bin/java"};
    run("@set path=/jdk/bin/\r\njava -jar x.jar\r\nappletviewer \"My Page 页.htm\"\r\n");
    EXPECT_EQ(host.started.size(), 1u) << "only the java line ran";
    EXPECT_EQ(host.errors, "'appletviewer.exe" + kNotFoundTail + "'appletviewer.exe" +
                               kNotFoundTail + "'appletviewer" + kNotFoundTail);
}

TEST_F(InterpreterTest, TheAppletHostOpensLinksWithTheOpenerOfTheInheritedPath) {
    // The script's path holds only the JDK; the opener is looked up where the interpreter
    // started, skipping a relative entry that would name the script's folder, and runs with
    // that path without it.
    inherited.set("PATH", "bin:/usr/local/bin:/usr/bin");
    const std::string script =
        "@set path=/jdk/bin/\r\n@appletviewer.exe @page.htm -version\r\n@set path=\r\n"
        "@appletviewer.exe x.htm\r\n";
    struct Case {
        std::set<std::string> openers;
        std::string opener;
    };
    const Case cases[] = {
        {{"/usr/bin/xdg-open", "/usr/local/bin/xdg-open", "/work/src/bin/xdg-open"},
         "/usr/local/bin/xdg-open"},
        {{"/jdk/bin/xdg-open"}, ""},
    };
    for (const Case& c : cases) {
        host.started.clear();
        host.executables = c.openers;
        host.executables.insert("/jdk/bin/java");
        Interpreter withHost = interpreter();
        withHost.setAppletHost("/opt/m/morvane-applet-host.jar", "xdg-open");
        withHost.runScript(script);
        ASSERT_EQ(host.started.size(), 1u) << "without a path there is no java";
        EXPECT_THAT(host.started[0].arguments,
                    ElementsAre("java", "-Dmorvane.opener=" + c.opener,
                                "-Dmorvane.opener.searchPath=/usr/local/bin:/usr/bin", "-jar",
                                "/opt/m/morvane-applet-host.jar", "@page.htm", "-version"));
        EXPECT_EQ(host.started[0].variable("PATH"), "/jdk/bin/");
    }
}

TEST_F(InterpreterTest, ErrorLevelFollowsTheLastProgramAndStartFailuresAreReported) {
    host.executables = {"/usr/bin/fails", "/usr/bin/broken", "/usr/bin/ok"};
    host.results["/usr/bin/fails"] = {true, 3, ""};
    host.results["/usr/bin/broken"] = {false, 0, "Exec format error"};
    EXPECT_EQ(run("@fails\r\n@pause\r\n"), 3);
    EXPECT_EQ(run("@broken\r\n"), console::ExitCode::NotStarted);
    EXPECT_THAT(host.errors, HasSubstr("无法启动程序“broken”：Exec format error\n"));
    EXPECT_EQ(run("@fails\r\n@ok\r\n"), 0);
}

// --- Sources from a Chinese Windows -------------------------------------------------------

TEST_F(InterpreterTest, JavacOnANonUtf8SourceIsToldGb18030ForThatRunOnly) {
    host.executables = {"/jdk/bin/javac", "/jdk/bin/java"};
    host.files["/work/src/Hello.java"] = "class Hello { String s = \"" + kGbkHello + "\"; }";
    run("@set path=/jdk/bin/\r\njavac Hello.java\r\n@java Hello\r\n");
    ASSERT_EQ(host.started.size(), 2u);
    EXPECT_EQ(host.started[0].variable("JDK_JAVAC_OPTIONS"), "-encoding GB18030");
    EXPECT_THAT(host.started[0].arguments, ElementsAre("javac", "Hello.java"));
    EXPECT_THAT(host.transcript, HasSubstr("/work/src>javac Hello.java\n"));
    EXPECT_FALSE(host.started[1].variable("JDK_JAVAC_OPTIONS").has_value());
    EXPECT_THAT(host.filesRead, ElementsAre("/work/src/Hello.java"));
}

TEST_F(InterpreterTest, JavacOnUtf8OrMissingSourcesGetsNoEncoding) {
    host.executables = {"/jdk/bin/javac"};
    host.files["/work/src/A.java"] = "class A { String s = \"你好\"; }";
    run("@set path=/jdk/bin/\r\n@javac A.java\r\n@javac Missing.java\r\n");
    ASSERT_EQ(host.started.size(), 2u);
    EXPECT_FALSE(host.started[0].variable("JDK_JAVAC_OPTIONS").has_value());
    EXPECT_FALSE(host.started[1].variable("JDK_JAVAC_OPTIONS").has_value());
}

TEST_F(InterpreterTest, OnlyJavaSourcesOnAJavacLineAreLookedAt) {
    host.executables = {"/jdk/bin/javac", "/jdk/bin/java"};
    host.files["/work/src/Hello.java"] = kGbkHello;
    host.files["/work/src/lib.jar"] = kGbkHello;
    host.files["/abs/B.JAVA"] = kGbkHello;
    run("@set path=/jdk/bin/\r\n@java Hello.java\r\n@javac -cp lib.jar\r\n"
        "@javac.exe /abs/B.JAVA\r\n");
    ASSERT_EQ(host.started.size(), 3u);
    EXPECT_FALSE(host.started[0].variable("JDK_JAVAC_OPTIONS").has_value()) << "not javac";
    EXPECT_FALSE(host.started[1].variable("JDK_JAVAC_OPTIONS").has_value()) << "not a source";
    EXPECT_EQ(host.started[2].variable("JDK_JAVAC_OPTIONS"), "-encoding GB18030");
}

TEST_F(InterpreterTest, AnEncodingTheUserChoseIsLeftAloneAndOtherOptionsKept) {
    host.executables = {"/jdk/bin/javac"};
    host.files["/work/src/Hello.java"] = kGbkHello;
    run("@set path=/jdk/bin/\r\n@javac -encoding UTF-8 Hello.java\r\n"
        "@set JDK_JAVAC_OPTIONS=-g\r\n@javac Hello.java\r\n"
        "@set JDK_JAVAC_OPTIONS=-encoding Big5\r\n@javac Hello.java\r\n");
    ASSERT_EQ(host.started.size(), 3u);
    EXPECT_FALSE(host.started[0].variable("JDK_JAVAC_OPTIONS").has_value());
    EXPECT_EQ(host.started[1].variable("JDK_JAVAC_OPTIONS"), "-g -encoding GB18030");
    EXPECT_EQ(host.started[2].variable("JDK_JAVAC_OPTIONS"), "-encoding Big5");
}

// --- Failing to start ---------------------------------------------------------------------

TEST(ReportStartFailure, KeepsATerminalWindowOpenUntilAKeyButNeverWaitsOtherwise) {
    FakeHost terminal;
    terminal.terminal = true;
    EXPECT_EQ(console::reportStartFailure(terminal, "无法进入工作目录", 65), 65);
    EXPECT_EQ(terminal.transcript, "无法进入工作目录\n请按任意键继续. . .[key]\n");

    FakeHost pipe;
    EXPECT_EQ(console::reportStartFailure(pipe, "x", 64), 64);
    EXPECT_EQ(pipe.transcript, "x\n");
    EXPECT_EQ(pipe.keysWaited, 0);
}

} // namespace
