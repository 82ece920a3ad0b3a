// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// The Windows program under wine, driven through its real windows: documents read and written
// byte for byte, the HTM page, the build script and the console, and a long open.

#include "program_fixture.h"

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <windows.h>

namespace {

using wintest::ProgramTest;
using wintest::readRaw;
using wintest::waitUntil;
using wintest::writeRaw;

TEST_F(ProgramTest, OpenAndSaveKeepGbkAndUtf8FilesByteForByte) {
    const std::string gbkFile = sources.file("你好.java");
    const std::string gbkBytes = gbk("class 你好 {\r\n    // 中文注释\r\n}\r\n");
    writeRaw(gbkFile, gbkBytes);
    const std::string utf8File = sources.file("utf8.java");
    const std::string utf8Bytes = "class A { String s = \"€ 你好\"; }\r\n";
    writeRaw(utf8File, utf8Bytes);
    start();
    auto& p = program();

    const HWND gbkDocument = open(gbkFile);
    ASSERT_NE(gbkDocument, nullptr);
    EXPECT_EQ(p.text(gbkDocument), gbkFile);
    EXPECT_EQ(p.text(p.editOf(gbkDocument)), "class 你好 {\r\n    // 中文注释\r\n}\r\n");
    // Saved unchanged: the same bytes. Changed: in the encoding it was read in.
    p.menu("文件", "保存");
    EXPECT_EQ(readRaw(gbkFile), gbkBytes);
    SendMessageW(p.editOf(gbkDocument), EM_SETSEL, 0, 0);
    p.type("// 改\n");
    p.clickToolButton(3);
    EXPECT_TRUE(waitUntil([&] { return readRaw(gbkFile) == gbk("// 改\r\n") + gbkBytes; }));
    p.screenshot("windows-main", p.mainWindow());

    const HWND utf8Document = open(utf8File);
    ASSERT_NE(utf8Document, nullptr);
    EXPECT_EQ(p.text(p.editOf(utf8Document)), "class A { String s = \"€ 你好\"; }\r\n");
    SendMessageW(p.editOf(utf8Document), EM_SETSEL, 0, 0);
    p.type("/*€*/");
    p.menu("文件", "保存");
    EXPECT_TRUE(waitUntil([&] { return readRaw(utf8File) == "/*€*/" + utf8Bytes; }));

    // Save As starts in the source folder with the base name; the caption follows.
    p.menu("文件", "另存为");
    HWND dialog = box("另存为");
    ASSERT_NE(dialog, nullptr);
    p.chooseFile(dialog, "副本.java");
    const std::string copy = sources.file("副本.java");
    EXPECT_TRUE(waitUntil([&] { return readRaw(copy) == "/*€*/" + utf8Bytes; }));
    EXPECT_EQ(p.text(p.activeDocument()), copy);

    // Saving over another existing file asks first; No leaves it alone.
    p.menu("文件", "另存为");
    dialog = box("另存为");
    ASSERT_NE(dialog, nullptr);
    p.chooseFile(dialog, gbkFile);
    HWND question = nullptr;
    EXPECT_TRUE(waitUntil([&] {
        question = p.waitForWindow("另存为", 100);
        return question != nullptr && question != dialog;
    }));
    if (question != nullptr && question != dialog) {
        p.pressId(question, IDNO);
    }
    EXPECT_TRUE(p.windowGone(question));
    p.pressId(dialog, IDCANCEL);
    EXPECT_TRUE(p.windowGone(dialog));
    EXPECT_EQ(readRaw(gbkFile), gbk("// 改\r\n") + gbkBytes);

    // A read-only file: the access message, and the file as it was.
    wintest::setReadOnly(copy);
    p.type("x");
    p.menu("文件", "保存");
    EXPECT_EQ(answer("错误处理", IDOK), "文件访问错误，文件可能是只读的，请改变其属性再试");
    EXPECT_EQ(readRaw(copy), "/*€*/" + utf8Bytes);
}

TEST_F(ProgramTest, ThePageGeneratorsPageIsSavedAsHtmInTheSourceFolder) {
    writeRaw(sources.file("Hello.java"), "public class Hello extends java.applet.Applet {}\r\n");
    start();
    auto& p = program();
    ASSERT_NE(open(sources.file("Hello.java")), nullptr);
    p.menu("生成htm文件");
    ASSERT_TRUE(waitUntil([&] { return p.documents().size() == 2; }));
    EXPECT_EQ(p.text(p.activeDocument()), "Document 2");
    const std::string page = "<HTML>\r\n<HEAD>\r\n <TITLE>  java applet  </TITLE></HEAD>\r\n"
                             "<BODY>\r\n<APPLET  CODE=\"Hello.class\"  WIDTH=300 HEIGHT=150>  "
                             "</APPLET>\r\n</BODY>\r\n</HTML>";
    EXPECT_EQ(p.text(p.editOf(p.activeDocument())), page);

    p.menu("保存", "保存为htm文件");
    const HWND dialog = box("保存为Html文件");
    ASSERT_NE(dialog, nullptr);
    // The name proposed is the class's; typed without extension it gets ".htm".
    p.chooseFile(dialog, "Hello");
    const std::string saved = sources.file("Hello.htm");
    EXPECT_TRUE(waitUntil([&] { return readRaw(saved) == page; }));
    EXPECT_EQ(p.text(p.activeDocument()), saved);
    // Titled with ".htm", it is saved there at once.
    p.type("x");
    p.menu("保存", "保存为htm文件");
    EXPECT_TRUE(waitUntil([&] { return readRaw(saved) == "x" + page; }));
}

TEST_F(ProgramTest, CompileRunAndTheViewerWriteDebugBatAndStartItInAConsole) {
    // The JDK's programs are stand-ins that write down how they were started.
    for (const char* tool : {"javac.exe", "java.exe", "appletviewer.exe"}) {
        ASSERT_TRUE(CopyFileW(wintest::wide(std::string(PROBE_PROGRAM)).c_str(),
                              wintest::wide(tools.file(tool)).c_str(), FALSE));
    }
    const std::string record = sources.file("started.txt");
    SetEnvironmentVariableW(L"MORVANE_PROBE_OUTPUT", wintest::wide(record).c_str());
    writeRaw(sources.file("Hello.java"), "public class Hello {}\r\n");
    writeRaw(sources.file("Hello.htm"), "<HTML></HTML>\r\n");
    start();
    auto& p = program();
    const std::string script = sources.file("debug.bat");
    const auto expectScript = [&](const std::string& toolLine) {
        EXPECT_TRUE(waitUntil([&] {
            return readRaw(script) ==
                   gbk("set path=" + javaBinDir() + "\r\n" + toolLine + "\r\n@pause\r\n");
        })) << readRaw(script);
        const std::string started = wintest::waitForFile(record);
        EXPECT_EQ(started, toolLine);
        wintest::removeFile(record);
    };

    ASSERT_NE(open(sources.file("Hello.java")), nullptr);
    p.menu("编译");
    expectScript("javac Hello.java");
    p.clickToolButton(23);
    expectScript("java Hello");

    // A changed source: Compile asks, and Yes saves it first.
    p.type("//");
    p.clickToolButton(22);
    answer("错误检查", IDYES);
    expectScript("javac Hello.java");
    EXPECT_EQ(readRaw(sources.file("Hello.java")), "//public class Hello {}\r\n");

    ASSERT_NE(open(sources.file("Hello.htm")), nullptr);
    p.menu("用JavaViewer浏览");
    expectScript("appletviewer.exe Hello.htm");
    // The viewer and the browser refuse a Java source.
    p.menu("运行"); // the page is no Java source either
    EXPECT_EQ(answer("错误提示", IDOK), "只有当当前文编译生成*.class文件后方能使用本命令！");
    p.menu("发送到浏览器");
    // explorer.exe takes the page; nothing is reported.
    EXPECT_EQ(p.waitForWindow("错误处理", 2000), nullptr);
    SetEnvironmentVariableW(L"MORVANE_PROBE_OUTPUT", nullptr);
}

TEST_F(ProgramTest, ALongOpenShowsItsProgressAndTheWindowKeepsAnswering) {
    // Megabytes of Java in GBK: 4, or as many as MORVANE_OPEN_MB asks for (a measurement).
    wchar_t asked[16] = L"";
    const std::size_t megabytes = GetEnvironmentVariableW(L"MORVANE_OPEN_MB", asked, 16) != 0
                                      ? std::wcstoul(asked, nullptr, 10)
                                      : 4;
    const std::string line = gbk("    System.out.println(\"你好，世界\"); // 第一百行的注释\r\n");
    std::string content;
    content.reserve(megabytes << 20);
    while (content.size() < (megabytes << 20)) {
        content += line;
    }
    const std::string big = sources.file("Big.java");
    writeRaw(big, content);
    start();
    auto& p = program();

    // Opens the file and waits for its text in the window; the time it took, and the longest
    // the window took to answer meanwhile.
    const auto openBig = [&](const char* which) {
        const std::size_t before = p.documents().size();
        p.menu("文件", "打开");
        const HWND dialog = box("打开");
        if (dialog == nullptr) {
            return;
        }
        const auto begin = std::chrono::steady_clock::now();
        p.chooseFile(dialog, big);
        double longest = 0;
        bool progressShown = false;
        EXPECT_TRUE(waitUntil(
            [&] {
                longest = std::max(longest, p.answerTime());
                const HWND progress = p.waitForWindow("打开", 0);
                progressShown = progressShown || (progress != nullptr &&
                                                  p.staticTexts(progress).find("正在读入") == 0);
                return p.documents().size() > before &&
                       SendMessageW(p.editOf(p.activeDocument()), WM_GETTEXTLENGTH, 0, 0) > 0;
            },
            600000));
        const double openMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
                .count();
        // A file read in one step (a megabyte) is done before the box would show.
        EXPECT_TRUE(progressShown || megabytes < 2);
        std::printf("%zu MB open (%s): %.0f ms to its text in the window; the window answered "
                    "within %.0f ms\n",
                    megabytes, which, openMs, longest);
        EXPECT_EQ(p.text(p.activeDocument()), big);
        p.settle();
    };
    openBig("the run's first");
    // The next one's control is made at the size the last window's took.
    if (GetEnvironmentVariableW(L"MORVANE_OPEN_MB", asked, 16) != 0) {
        openBig("a later one");
    }

    if (megabytes < 2) {
        return;
    }
    // 取消 leaves no window.
    const std::size_t open = p.documents().size();
    p.menu("文件", "打开");
    const HWND dialog = box("打开");
    ASSERT_NE(dialog, nullptr);
    p.chooseFile(dialog, big);
    HWND progress = nullptr;
    EXPECT_TRUE(waitUntil([&] {
        progress = p.waitForWindow("打开", 0);
        return progress != nullptr && progress != dialog &&
               p.staticTexts(progress).find("正在读入") == 0;
    }));
    if (progress != nullptr) {
        p.press(progress, "取消");
        EXPECT_TRUE(p.windowGone(progress));
    }
    p.answerTime();
    EXPECT_EQ(p.documents().size(), open);
}

} // namespace
