// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "app_fixture.h"
#include "editor/frm_edit.h"
#include "files/document_load.h"
#include "files/file_error_reporter.h"
#include "files/plain_text.h"

#include <functional>
#include <limits>

#include <gtest/gtest.h>

namespace {

namespace MsgBoxResult = platform::MsgBoxResult;

class Documents : public ::testing::Test, public AppFixture {
protected:
    void SetUp() override {
        writeSetIni("/jdk/bin/\r\n/home/u/src/\r\n");
        start();
    }
    fakes::FakeDocumentHost& host() { return window().documentHost; }
    editor::frmEdit& active() { return *main().ActiveForm(); }
    fakes::FakeDocumentWindow& activeWindow() { return *host().active; }
    std::vector<std::string> captions() {
        std::vector<std::string> result;
        for (auto* open : host().open) {
            result.push_back(open->captionText);
        }
        return result;
    }
    // Opens a file through the dialog, answering it with the path.
    void open(const std::string& path) {
        platform.fileDialogs.answers.push_back(path);
        main().mnuFileOpen_Click();
    }
    const platform::FileDialogRequest& lastRequest() {
        return platform.fileDialogs.shown.back().request;
    }
    std::vector<std::string> prompts() { return platform.messageBox.prompts(); }
};

const std::string AccessMessage = "文件访问错误，文件可能是只读的，请改变其属性再试";
const std::string SourceFilter =
    "Java源程序(*.java)|*.java|Htm网页文件(*.htm)|*.htm|所有文件 (*.*)|*.*";

TEST_F(Documents, NewNumbersWindowsAndNeverReusesANumber) {
    main().mnuFileNew_Click();
    main().mnuFileNew_Click();
    main().mnuFileNew_Click();
    EXPECT_EQ(captions(), (std::vector<std::string>{"Document 1", "Document 2", "Document 3"}));
    EXPECT_EQ(active().Caption(), "Document 3");
    host().find("Document 2")->close();
    main().mnuFileNew_Click();
    EXPECT_EQ(captions(), (std::vector<std::string>{"Document 1", "Document 3", "Document 4"}));
}

TEST_F(Documents, OpenUsesANumberAndACancelledOpenDoesNot) {
    platform.files.files["/home/u/src/Hello.java"] = "class Hello {}\r\n";
    main().mnuFileNew_Click();
    main().mnuFileOpen_Click(); // cancelled
    open("/home/u/src/Hello.java");
    main().mnuFileNew_Click();
    EXPECT_EQ(captions(),
              (std::vector<std::string>{"Document 1", "/home/u/src/Hello.java", "Document 3"}));
}

TEST_F(Documents, NewAtTheLastNumberSaysSoAndCreatesNothing) {
    main().DocumentCount = std::numeric_limits<std::int32_t>::max();
    main().mnuFileNew_Click();
    EXPECT_TRUE(host().open.empty());
    EXPECT_EQ(main().DocumentCount, std::numeric_limits<std::int32_t>::max());
    ASSERT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(platform.messageBox.shown[0].style, platform::MsgBoxStyle::Critical);
}

TEST_F(Documents, ANewWindowStartsUntitledUnchangedAndEmpty) {
    auto& document = main().NewDocument();
    EXPECT_FALSE(document.Changed);
    EXPECT_FALSE(document.LineRow);
    EXPECT_EQ(document.FileName, "");
    EXPECT_EQ(document.Caption(), "Document 1");
    EXPECT_EQ(document.txtEdit().text(), "");
    EXPECT_EQ(document.Encoding.name, "UTF-8");
    EXPECT_TRUE(activeWindow().shown);
}

TEST_F(Documents, EditControlFollowsTheWindowSize) {
    main().NewDocument();
    auto& window = activeWindow();
    EXPECT_EQ(window.textBounds[2], 5900) << "laid out when first shown";
    EXPECT_EQ(window.textBounds[3], 3600);
    const auto bounds = [&](float w, float h) {
        window.resize(w, h);
        return std::vector<float>(window.textBounds, window.textBounds + 4);
    };
    EXPECT_EQ(bounds(500, 500), (std::vector<float>{0, 0, 500, 500}));
    EXPECT_EQ(bounds(501, 501), (std::vector<float>{0, 0, 401, 101}));
    EXPECT_EQ(bounds(800, 450), (std::vector<float>{0, 0, 700, 450}));
    EXPECT_EQ(bounds(120, 900), (std::vector<float>{0, 0, 120, 500}));
}

TEST_F(Documents, AnyTextChangeMarksTheDocumentChangedForGood) {
    auto& document = main().NewDocument();
    auto& edit = activeWindow().edit;
    edit.type("x");
    edit.select(0, 1);
    edit.setSelText("");
    EXPECT_EQ(edit.content, "");
    EXPECT_TRUE(document.Changed);
}

TEST_F(Documents, ClosingAnUnchangedWindowAsksNothing) {
    main().NewDocument();
    activeWindow().edit.content = "text that was never typed";
    main().mnuFileShut_Click();
    EXPECT_TRUE(host().open.empty());
    EXPECT_TRUE(platform.messageBox.shown.empty());
    main().mnuFileShut_Click(); // nothing open: nothing happens
    EXPECT_TRUE(platform.messageBox.shown.empty());
}

TEST_F(Documents, ClosingAChangedUntitledWindowAsksAndACancelledDialogKeepsIt) {
    auto& document = main().NewDocument();
    activeWindow().edit.type("class A {}");
    main().mnuFileShut_Click();
    ASSERT_EQ(platform.messageBox.shown.size(), 1u);
    const auto& question = platform.messageBox.shown[0];
    EXPECT_EQ(question.prompt, "文本已改变，是否保存？");
    EXPECT_EQ(question.title, "关闭文件 提示");
    EXPECT_EQ(question.style, 36);
    ASSERT_EQ(platform.fileDialogs.shown.size(), 1u);
    const auto& request = lastRequest();
    EXPECT_TRUE(platform.fileDialogs.shown[0].save);
    EXPECT_EQ(request.title, "保存");
    EXPECT_EQ(request.filter, SourceFilter);
    EXPECT_EQ(request.initDir, "/home/u/src/");
    EXPECT_EQ(request.fileName, "");
    EXPECT_EQ(request.defaultExt, "");
    EXPECT_EQ(host().open.size(), 1u);
    EXPECT_TRUE(document.Changed);
    EXPECT_EQ(document.Caption(), "Document 1");

    main().mnuFileShut_Click(); // asks again
    EXPECT_EQ(platform.messageBox.shown.size(), 2u);
}

TEST_F(Documents, ClosingWithYesSavesToTheChosenOrCaptionPath) {
    main().NewDocument();
    activeWindow().edit.type("line 1\nline 2");
    platform.fileDialogs.answers.push_back("/home/u/src/A.java");
    main().mnuFileShut_Click();
    EXPECT_TRUE(host().open.empty());
    EXPECT_EQ(platform.files.files["/home/u/src/A.java"], "line 1\r\nline 2");

    open("/home/u/src/A.java");
    activeWindow().edit.type("// ");
    main().mnuFileShut_Click();
    EXPECT_EQ(platform.fileDialogs.shown.size(), 2u) << "no dialog for a titled window";
    EXPECT_EQ(platform.files.files["/home/u/src/A.java"], "// line 1\r\nline 2");
}

TEST_F(Documents, ClosingWithNoDiscardsAndLeavesTheFileAlone) {
    platform.files.files["/home/u/src/A.java"] = "old";
    open("/home/u/src/A.java");
    activeWindow().edit.type("new ");
    platform.messageBox.answers = {MsgBoxResult::No};
    main().mnuFileShut_Click();
    EXPECT_TRUE(host().open.empty());
    EXPECT_EQ(platform.files.files["/home/u/src/A.java"], "old");
}

TEST_F(Documents, AFailedSaveAtClosingKeepsTheWindowWithItsText) {
    platform.files.files["/home/u/src/A.java"] = "old";
    platform.files.readOnly.insert("/home/u/src/A.java");
    open("/home/u/src/A.java");
    activeWindow().edit.type("precious ");
    main().mnuFileShut_Click();
    EXPECT_EQ(prompts(), (std::vector<std::string>{"文本已改变，是否保存？", AccessMessage}));
    ASSERT_EQ(host().open.size(), 1u);
    EXPECT_EQ(active().txtEdit().text(), "precious old");
    EXPECT_EQ(active().Caption(), "/home/u/src/A.java");
    EXPECT_TRUE(active().Changed);
}

TEST_F(Documents, ExitAsksForEachChangedDocumentAndACancelStopsIt) {
    main().NewDocument();
    activeWindow().edit.type("a");
    platform.files.files["/home/u/src/B.java"] = "b";
    open("/home/u/src/B.java");
    activeWindow().edit.type("b");
    platform.messageBox.answers = {MsgBoxResult::No, MsgBoxResult::Yes};
    platform.files.readOnly.clear();
    // Document 1: No (closes); B.java: Yes, saved to its path.
    main().mnuClose_Click();
    EXPECT_TRUE(window().closed);
    EXPECT_EQ(platform.files.files["/home/u/src/B.java"], "bb");
    EXPECT_EQ(platform.messageBox.shown.size(), 2u);
}

TEST_F(Documents, OpenRequestAndWhatTheFileBecomes) {
    platform.files.files["/home/u/src/Hello.java"] = "class Hello {\r\n}\r\n";
    open("/home/u/src/Hello.java");
    const auto& shown = platform.fileDialogs.shown.back();
    EXPECT_FALSE(shown.save);
    EXPECT_EQ(shown.request.title, "打开");
    EXPECT_EQ(shown.request.filter, SourceFilter);
    EXPECT_EQ(shown.request.filterIndex, 1);
    EXPECT_EQ(shown.request.initDir, "/home/u/src/");
    EXPECT_EQ(shown.request.fileName, "");
    EXPECT_EQ(active().Caption(), "/home/u/src/Hello.java");
    EXPECT_EQ(active().txtEdit().text(), "class Hello {\n}\n");
    EXPECT_FALSE(active().Changed);
    EXPECT_EQ(active().FileName, "Hello");
}

TEST_F(Documents, OpenOfAFileThatCannotBeReadMakesNoWindowAndUsesNoNumber) {
    platform.files.files["/home/u/src/bin.class"] = std::string("\xCA\xFE\xBA\xBE\0\0", 6);
    open("/home/u/src/missing.java");
    open("/home/u/src/bin.class");
    EXPECT_TRUE(host().open.empty());
    ASSERT_EQ(platform.messageBox.shown.size(), 2u);
    EXPECT_EQ(
        platform.messageBox.shown[0].prompt.rfind("无法打开文件“/home/u/src/missing.java”：", 0),
        0u);
    EXPECT_EQ(platform.messageBox.shown[0].style, platform::MsgBoxStyle::Critical);
    main().mnuFileNew_Click();
    EXPECT_EQ(captions(), std::vector<std::string>{"Document 1"});
}

// ASCII lines up to one byte short of a step of the load.
std::string asciiLinesOfAStep() {
    std::string lines;
    while (lines.size() < files::DocumentLoad::StepBytes - 1) {
        lines += std::string(99, 'a') + "\n";
    }
    lines.resize(files::DocumentLoad::StepBytes - 1, 'a');
    return lines;
}

// A file larger than one step of the load: ASCII up to past the first step, with a CR LF
// cut between two steps, then GBK, which is found only in the second step.
std::string largeGbkFile() {
    return asciiLinesOfAStep() + "\r\nb\r\n// \xC4\xE3\xBA\xC3\r\n";
}

TEST_F(Documents, OpenLoadsInStepsWithAProgressBoxThatCanCancel) {
    platform.files.files["/home/u/src/Big.java"] = largeGbkFile();
    open("/home/u/src/Big.java");
    std::string text = asciiLinesOfAStep();
    text += "\nb\n// \xC4\xE3\xBA\xC3\n"; // the fake code page decodes nothing
    EXPECT_TRUE(active().txtEdit().text() == text);
    EXPECT_EQ(active().Encoding.name, "GB18030");
    EXPECT_FALSE(active().Changed);
    ASSERT_EQ(window().progressRequests.size(), 1u);
    EXPECT_EQ(window().progressRequests[0].title, "打开");
    EXPECT_EQ(window().progressRequests[0].label, "正在读入“/home/u/src/Big.java”……");
    EXPECT_EQ(window().progressRequests[0].cancelText, "取消");
    EXPECT_EQ(window().progressRequests[0].showAfterMs, 500);
    EXPECT_GT(window().steps, 2);
    // Room for the file's bytes, then, once it turned out GBK, for the counted text: its two
    // Chinese characters take three bytes each instead of two.
    EXPECT_EQ(host().reservations,
              (std::vector<std::size_t>{largeGbkFile().size(), largeGbkFile().size() + 2}));

    // Cancelled halfway: no window, no message, no number used.
    window().cancelAfterSteps = 1;
    open("/home/u/src/Big.java");
    EXPECT_EQ(captions(), std::vector<std::string>{"/home/u/src/Big.java"});
    EXPECT_TRUE(platform.messageBox.shown.empty());
    main().mnuFileNew_Click();
    EXPECT_EQ(active().Caption(), "Document 2");
}

TEST_F(Documents, OpenOfAFileTooLargeForTheMemoryLeftIsRefused) {
    platform.files.files["/home/u/src/Big.java"] = std::string(1000, 'a');
    platform.files.files["/home/u/src/Nul.java"] = largeGbkFile() + '\0';
    host().storeCapacity = 150;
    open("/home/u/src/Big.java"); // refused before anything is read
    // Making room takes long for a large file: it is work the progress box covers.
    EXPECT_EQ(window().progressRequests.size(), 1u);
    host().storeCapacity = std::string().max_size();
    open("/home/u/src/Nul.java"); // not text, found only in the last step
    // A file of mixed line ends is read once more for the end of each line.
    platform.files.files["/home/u/src/Mixed.java"] = "a\r\nb\nc\r";
    platform.files.opensBeforeOutOfMemory = 1;
    open("/home/u/src/Mixed.java");
    EXPECT_TRUE(host().open.empty());
    ASSERT_EQ(prompts().size(), 3u) << ::testing::PrintToString(prompts());
    EXPECT_EQ(prompts()[0], "无法打开文件“/home/u/src/Big.java”：文件太大，剩余的内存不足以读入");
    EXPECT_EQ(prompts()[1].rfind("无法打开文件“/home/u/src/Nul.java”：文件不是文本文件", 0), 0u)
        << prompts()[1];
    EXPECT_EQ(prompts()[2], "无法打开文件“/home/u/src/Mixed.java”：文件太大，剩余的内存不足以读入");
}

// Files of odd content: each opens whole or is refused with a message, and a line too long
// for the edit control is found in the step that reads it.
TEST_F(Documents, OddContentOpensWholeOrIsRefusedWithAMessage) {
    const std::size_t longest = files::DocumentLoad::LongestLineBytes;
    const std::size_t step = files::DocumentLoad::StepBytes;
    const std::string longLine(longest, 'a');
    struct Case {
        const char* name;
        std::string file;
        bool opens;
        int mostSteps;
    };
    const Case cases[] = {
        {"a line of the longest length", longLine, true, 3},
        {"one byte more", longLine + "a", false, 2},
        {"longest lines after CR, LF and CR LF",
         longLine + "\r" + longLine + "\n" + longLine + "\r\n" + longLine, true, 4},
        {"a too long line across two steps", std::string(step - 100, '\n') + longLine + "ab", false,
         3},
        {"a single line of 16 MB", std::string(16 * step, 'x'), false, 2},
        {"4 MB of bare CRs", std::string(4 * step, '\r'), true, 6},
        {"4 MB of LFs", std::string(4 * step, '\n'), true, 6},
        {"mixed line ends", "a\rb\nc\r\nd\n\re\r\r\nf", true, 3},
        {"a too long GBK line", "// \xC4\xE3\r\n" + longLine + "\xBA\xC3", false, 4},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        platform.messageBox.shown.clear();
        const std::size_t before = host().open.size();
        window().steps = 0;
        platform.files.files["/home/u/src/Odd.java"] = test.file;
        open("/home/u/src/Odd.java");
        EXPECT_LE(window().steps, test.mostSteps);
        if (test.opens) {
            EXPECT_TRUE(platform.messageBox.shown.empty()) << ::testing::PrintToString(prompts());
            ASSERT_EQ(host().open.size(), before + 1);
            EXPECT_EQ(active().txtEdit().text().size(),
                      files::withLineEnds(test.file, "\n").size());
        } else {
            EXPECT_EQ(host().open.size(), before);
            EXPECT_EQ(prompts(), std::vector<std::string>{
                                     "无法打开文件“/home/u/src/Odd.java”：文件中有一行长于256 KB，"
                                     "编辑区无法显示这样长的行"});
        }
    }
}

TEST_F(Documents, SaveOfAnUntitledWindowAsksForANameAndTitlesIt) {
    auto& document = main().NewDocument();
    activeWindow().edit.type("x");
    main().mnuFileSave_Click(); // cancelled: silent, nothing changes
    EXPECT_TRUE(platform.messageBox.shown.empty());
    EXPECT_EQ(document.Caption(), "Document 1");
    const auto& request = lastRequest();
    EXPECT_EQ(request.title, "保存");
    EXPECT_EQ(request.fileName, "");
    EXPECT_EQ(request.initDir, "/home/u/src/");

    platform.fileDialogs.answers.push_back("/home/u/src/Page.java");
    main().mnuFileSave_Click();
    EXPECT_EQ(document.Caption(), "/home/u/src/Page.java");
    EXPECT_FALSE(document.Changed);
    EXPECT_EQ(document.FileName, "Page");
    EXPECT_EQ(platform.files.files["/home/u/src/Page.java"], "x");

    activeWindow().edit.type("y");
    main().mnuFileSave_Click(); // titled: no dialog
    EXPECT_EQ(platform.fileDialogs.shown.size(), 2u);
    EXPECT_EQ(platform.files.files["/home/u/src/Page.java"], "xy");
}

TEST_F(Documents, FailedSaveKeepsEverythingAsItWasAndNamesTheCauseInChinese) {
    platform.files.files["/home/u/src/A.java"] = "old";
    open("/home/u/src/A.java");
    activeWindow().edit.type("new ");
    const std::string cannotWrite = "无法写入文件“/home/u/src/A.java”：";
    using platform::FileFault;
    const struct {
        FileFault fault;
        std::string message;
    } cases[] = {
        {FileFault::DiskFull, "未知错误：" + cannotWrite + "磁盘已满错误号：61"},
        {FileFault::DeviceIO, "未知错误：" + cannotWrite + "设备 I/O 错误错误号：57"},
        {FileFault::TooManyFiles, "未知错误：" + cannotWrite + "打开的文件太多错误号：67"},
        {FileFault::ReadOnly, AccessMessage},
    };
    for (const auto& c : cases) {
        platform.messageBox.shown.clear();
        platform.files.writeFault = c.fault;
        main().mnuFileSave_Click();
        EXPECT_EQ(prompts(), std::vector<std::string>{c.message});
        EXPECT_TRUE(active().Changed);
        EXPECT_EQ(platform.files.files["/home/u/src/A.java"], "old");
    }
    platform.files.writeFault.reset();

    // What stands in the file's place, or on its path, is named as it is.
    const struct {
        std::function<void()> arrange;
        std::string message;
    } places[] = {
        {[&] {
             platform.files.files.erase("/home/u/src/A.java");
             platform.files.links["/home/u/src/A.java"] = "/home/u/src/B.java";
             platform.files.links["/home/u/src/B.java"] = "/home/u/src/A.java";
         },
         "未知错误：" + cannotWrite + "路径未找到：符号链接构成了循环错误号：76"},
        {[&] {
             platform.files.links.clear();
             platform.files.files["/home/u/src/A.java/inner.txt"] = "";
         },
         "未知错误：" + cannotWrite + "这是一个文件夹，不是文件错误号：1003"},
        {[&] {
             platform.files.files.erase("/home/u/src/A.java/inner.txt");
             platform.files.missingFolders.insert("/home/u/src");
         },
         "未知错误：" + cannotWrite + "路径未找到：路径中的文件夹不存在错误号：76"},
    };
    for (const auto& place : places) {
        platform.messageBox.shown.clear();
        place.arrange();
        main().mnuFileSave_Click();
        EXPECT_EQ(prompts(), std::vector<std::string>{place.message});
        EXPECT_TRUE(active().Changed);
    }
}

TEST_F(Documents, SaveAsRetitlesBeforeTheWrite) {
    platform.files.files["/home/u/src/Hello.java"] = "hello";
    open("/home/u/src/Hello.java");
    activeWindow().edit.type("!");
    platform.files.files["/home/u/src/ro.java"] = "ro";
    platform.files.readOnly.insert("/home/u/src/ro.java");
    platform.fileDialogs.answers.push_back("/home/u/src/ro.java");
    main().mnuFileSaveAs_Click();
    const auto& request = lastRequest();
    EXPECT_EQ(request.title, "另存为");
    EXPECT_EQ(request.fileName, "Hello");
    EXPECT_EQ(prompts(), std::vector<std::string>{AccessMessage});
    EXPECT_EQ(active().Caption(), "/home/u/src/ro.java");
    EXPECT_TRUE(active().Changed);
    EXPECT_EQ(active().FileName, "Hello");
    EXPECT_EQ(platform.files.files["/home/u/src/ro.java"], "ro");

    platform.fileDialogs.answers.push_back("/home/u/src/Copy.java");
    main().mnuFileSaveAs_Click();
    EXPECT_EQ(active().Caption(), "/home/u/src/Copy.java");
    EXPECT_FALSE(active().Changed);
    EXPECT_EQ(active().FileName, "Copy");
    EXPECT_EQ(platform.files.files["/home/u/src/Copy.java"], "!hello");

    main().mnuFileSaveAs_Click(); // cancelled: silent
    EXPECT_EQ(prompts().size(), 1u);
    EXPECT_EQ(active().Caption(), "/home/u/src/Copy.java");
}

TEST_F(Documents, SaveAsHtmAsksUnlessTheCaptionEndsInHtmAndItsExtensionStays) {
    platform.files.files["/home/u/src/PAGE.HTM"] = "<HTML>";
    open("/home/u/src/PAGE.HTM");
    activeWindow().edit.type("x");
    platform.fileDialogs.answers.push_back("/home/u/src/page.htm");
    main().mnuFileSaveAsHtml_Click();
    const auto& request = lastRequest();
    EXPECT_EQ(request.title, "保存为Html文件");
    EXPECT_EQ(request.filter, "Htm网页文件(*.htm)|*.htm");
    EXPECT_EQ(request.defaultExt, "*.htm");
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(request.fileName, "PAGE");
    EXPECT_EQ(active().Caption(), "/home/u/src/page.htm");
    EXPECT_EQ(active().FileName, "page");
    EXPECT_FALSE(active().Changed);
    EXPECT_EQ(platform.files.files["/home/u/src/page.htm"], "x<HTML>");

    activeWindow().edit.type("y");
    const auto dialogs = platform.fileDialogs.shown.size();
    main().mnuFileSaveAsHtml_Click();
    EXPECT_EQ(platform.fileDialogs.shown.size(), dialogs) << "saved where it is";
    EXPECT_EQ(platform.files.files["/home/u/src/page.htm"], "xy<HTML>");

    // The shared dialog keeps the default extension for the other commands.
    main().mnuFileOpen_Click();
    EXPECT_EQ(lastRequest().defaultExt, "*.htm");
    EXPECT_EQ(lastRequest().filter, SourceFilter);
}

TEST_F(Documents, SaveDoesNotSetTheFilterIndexThatOpenDoes) {
    main().NewDocument();
    main().mnuFileSaveAsHtml_Click(); // cancelled
    platform.fileDialogs.answers.clear();
    main().mnuFileSave_Click();
    EXPECT_EQ(lastRequest().filterIndex, 1);
    EXPECT_EQ(lastRequest().defaultExt, "*.htm");
}

TEST_F(Documents, RunningOutOfMemoryLosesNoWindowAndNoText) {
    // Each way a command can run out of memory on a large file; a second window's unsaved
    // text must come through every one of them.
    const std::string OutOfMemoryMessage = "未知错误：内存不足错误号：7";
    platform.files.files["/home/u/src/A.java"] = "old";
    open("/home/u/src/A.java");
    activeWindow().edit.type("typed ");
    main().NewDocument();
    activeWindow().edit.type("unsaved other text");
    fakes::FakeDocumentWindow* other = host().active;
    fakes::FakeDocumentWindow* document = host().find("/home/u/src/A.java");
    const auto front = [&] { document->bringToFront(); };
    struct Case {
        const char* what;
        std::function<void()> fail;
        std::function<void()> command;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"reading a file to open", [&] { platform.files.outOfMemory = true; },
         [&] { open("/home/u/src/A.java"); },
         "无法打开文件“/home/u/src/A.java”：文件太大，剩余的内存不足以读入"},
        {"setting the opened text", [&] { host().newWindowsOutOfMemory = true; },
         [&] { open("/home/u/src/A.java"); },
         "无法打开文件“/home/u/src/A.java”：文件太大，剩余的内存不足以读入"},
        {"writing on Save", [&] { platform.files.outOfMemory = true; },
         [&] { front(), main().mnuFileSave_Click(); }, OutOfMemoryMessage},
        {"encoding on Save", [&] { document->edit.outOfMemory = true; },
         [&] { front(), main().mnuFileSave_Click(); }, OutOfMemoryMessage},
        {"writing on Save As", [&] { platform.files.outOfMemory = true; },
         [&] {
             front();
             platform.fileDialogs.answers.push_back("/home/u/src/A.java");
             main().mnuFileSaveAs_Click();
         },
         OutOfMemoryMessage},
        {"writing on Save as HTM", [&] { platform.files.outOfMemory = true; },
         [&] {
             front();
             platform.fileDialogs.answers.push_back("/home/u/src/A.java");
             main().mnuFileSaveAsHtml_Click();
         },
         OutOfMemoryMessage},
        {"saving at closing", [&] { document->edit.outOfMemory = true; },
         [&] {
             front();
             platform.messageBox.answers = {MsgBoxResult::Yes};
             main().mnuFileShut_Click();
         },
         OutOfMemoryMessage},
        {"a page generated from the menu", [&] { host().newWindowsOutOfMemory = true; },
         [&] {
             front();
             document->captionText = "/home/u/src/A.java";
             platform.windows.mainWindow->menus.find("mnuFileBuildAsHtm")->handler();
         },
         OutOfMemoryMessage},
    };
    for (const Case& c : cases) {
        platform.messageBox.shown.clear();
        platform.messageBox.answers.clear();
        c.fail();
        c.command();
        platform.files.outOfMemory = false;
        host().newWindowsOutOfMemory = false;
        document->edit.outOfMemory = false;
        // A page window made before its text ran out of memory is empty and unchanged.
        for (fakes::FakeDocumentWindow* open : std::vector(host().open)) {
            if (open != document && open != other) {
                EXPECT_TRUE(open->edit.content.empty()) << c.what;
                open->edit.outOfMemory = false;
                open->close();
            }
        }
        ASSERT_FALSE(prompts().empty()) << c.what;
        EXPECT_EQ(prompts().back(), c.message) << c.what;
        EXPECT_EQ(captions().size(), 2u) << c.what;
        EXPECT_EQ(other->edit.content, "unsaved other text") << c.what;
        EXPECT_EQ(document->edit.content, "typed old") << c.what;
        EXPECT_EQ(platform.files.files["/home/u/src/A.java"], "old") << c.what;
        document->captionText = "/home/u/src/A.java";
    }
}

TEST_F(Documents, FileErrorMessages) {
    const auto report = [&](int number, const std::string& description) {
        platform.messageBox.shown.clear();
        files::ReportFileError(platform.messageBox, platform::RuntimeError(number, description));
        return platform.messageBox.shown;
    };
    const auto access = report(75, "Permission denied");
    ASSERT_EQ(access.size(), 1u);
    EXPECT_EQ(access[0].prompt, AccessMessage);
    EXPECT_EQ(access[0].title, "错误处理");
    EXPECT_EQ(access[0].style, platform::MsgBoxStyle::Critical);
    EXPECT_TRUE(report(32755, "cancelled").empty());
    EXPECT_EQ(report(61, "Disk full")[0].prompt, "未知错误：Disk full错误号：61");
    EXPECT_EQ(report(-5, "x")[0].prompt, "未知错误：x错误号：-5");
    EXPECT_EQ(report(7, "")[0].prompt, "未知错误：错误号：7");
}

TEST_F(Documents, BaseNamesWithEitherSeparator) {
    struct Case {
        char separator;
        std::string caption;
        std::string expected;
    };
    const Case cases[] = {
        {'\\', "C:\\src\\Hello.java", "Hello"},
        {'\\', "C:\\src\\page.htm", "page"},
        {'\\', "C:\\src\\Hello", "Hello"},
        {'\\', "C:\\src\\Hello.java.bak", "Hello"},
        {'\\', "Document 3", "Document 3"},
        {'\\', "C:\\src\\", ""},
        {'\\', ".java", ""},
        {'\\', "C:\\my.dir\\Hello.java", "Hello"},
        {'/', "/home/u/src/Hello.java", "Hello"},
        {'/', "/home/u/my.dir/Hello.java", "Hello"},
        {'/', "/home/u/src/", ""},
        {'/', "/home/u/.java", ""},
        {'/', "Document 3", "Document 3"},
        {'\\', "a/b.c\\d.e", "d"},
    };
    for (const Case& c : cases) {
        platform.location.separator = c.separator;
        main().NewDocument().setCaption(c.caption);
        main().GetFileName();
        EXPECT_EQ(active().FileName, c.expected) << c.caption;
        main().GetFileName();
        EXPECT_EQ(active().FileName, c.expected) << "twice: " << c.caption;
    }
}

TEST_F(Documents, UntitledRuleLooksAtTheFirstEightCharactersExactly) {
    const std::pair<std::string, bool> cases[] = {
        {"Document 1", true},  {"Document", true}, {"Documents.java", true},
        {"document 1", false}, {"Doc", false},     {"/home/Document 1", false},
    };
    for (const auto& [caption, untitled] : cases) {
        main().NewDocument().setCaption(caption);
        activeWindow().edit.type("x");
        platform.fileDialogs.shown.clear();
        main().mnuFileSave_Click();
        EXPECT_EQ(platform.fileDialogs.shown.size(), untitled ? 1u : 0u) << caption;
    }
}

} // namespace
