// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "app/frm_about.h"
#include "app_fixture.h"
#include "editor/command_guard.h"
#include "editor/frm_edit.h"
#include "toolbar/tool_bar_table.h"

#include <random>

#include <gtest/gtest.h>

namespace {

class Editing : public ::testing::Test, public AppFixture {
protected:
    void SetUp() override {
        writeSetIni("/jdk/\r\n/src/\r\n");
        start();
    }
    editor::frmEdit& document() { return *main().ActiveForm(); }
    fakes::FakeTextControl& edit() { return window().documentHost.active->edit; }
    std::string panel(int index) { return window().status.panelText(index); }
    void click(const std::string& key, int value = 0) { window().tools.click(key, value); }
};

// Line from 1 and column from 0, counted the plain way: line feeds before the caret.
std::pair<long long, long long> scan(const std::string& text, std::size_t caret) {
    long long line = 1;
    long long column = static_cast<long long>(caret);
    for (std::size_t i = 1; i <= caret; ++i) {
        if (text[i - 1] == '\n') {
            ++line;
            column = static_cast<long long>(caret - i);
        }
    }
    return {line, column};
}

TEST_F(Editing, CaretLineAndColumnWhileTheDisplayIsOn) {
    main().NewDocument();
    edit().content = "abc\ndefg\nhij";
    document().txtEdit_Click();
    EXPECT_EQ(panel(2), "") << "off: the panels stay as they are";
    click("行号列号", 1);
    EXPECT_TRUE(document().LineRow);
    EXPECT_EQ(panel(2), "") << "switching on shows nothing until the caret moves";
    const std::pair<std::size_t, std::pair<std::string, std::string>> cases[] = {
        {0, {"行：1", "列：0"}},
        {3, {"行：1", "列：3"}},
        {4, {"行：2", "列：0"}},
        {11, {"行：3", "列：2"}}};
    for (const auto& [caret, expected] : cases) {
        edit().select(caret, 0);
        document().txtEdit_KeyUp(16, 1); // Shift alone counts too
        EXPECT_EQ(panel(2), expected.first) << caret;
        EXPECT_EQ(panel(3), expected.second) << caret;
    }
    edit().select(5, 4); // a selection: its start
    document().txtEdit_Click();
    EXPECT_EQ(panel(2), "行：2");
    EXPECT_EQ(panel(3), "列：1");
}

TEST_F(Editing, CaretNumbersMatchAPlainScanOnRandomTexts) {
    main().NewDocument();
    document().LineRow = true;
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 80);
        for (int i = 0; i < length; ++i) {
            text += "ab\n "[random() % 4];
        }
        const std::size_t caret = text.empty() ? 0 : random() % (text.size() + 1);
        edit().content = text;
        edit().select(caret, 0);
        document().txtEdit_Click();
        const auto [line, column] = scan(text, caret);
        EXPECT_EQ(panel(2), "行：" + std::to_string(line));
        EXPECT_EQ(panel(3), "列：" + std::to_string(column));
    }
}

TEST_F(Editing, LosingTheFocusAndSwitchingOffClearThePanels) {
    main().NewDocument();
    click("行号列号", 1);
    edit().content = "x\ny";
    edit().select(3, 0);
    document().txtEdit_Click();
    EXPECT_EQ(panel(2), "行：2");
    document().txtEdit_LostFocus();
    EXPECT_EQ(panel(2), "");
    EXPECT_EQ(panel(3), "");
    document().txtEdit_Click();
    click("行号列号", 0);
    EXPECT_FALSE(document().LineRow);
    EXPECT_EQ(panel(2), "");
    EXPECT_EQ(panel(3), "");
    // Off with no document still clears; on with none changes nothing.
    document().Close();
    window().status.setPanelText(2, "行：9");
    click("行号列号", 1);
    EXPECT_EQ(panel(2), "行：9");
    click("行号列号", 0);
    EXPECT_EQ(panel(2), "");
}

TEST_F(Editing, TheButtonsStateBelongsToTheToolbarAndLineRowToEachWindow) {
    main().NewDocument();
    click("行号列号", 1);
    auto& first = document();
    main().NewDocument();
    EXPECT_TRUE(first.LineRow);
    EXPECT_FALSE(document().LineRow) << "a new window starts with the display off";
}

TEST_F(Editing, TogglesNegateAUniformSelectionAndLeaveAMixedOne) {
    main().NewDocument();
    edit().bold = true;
    main().mnuBold_Click();
    EXPECT_EQ(edit().bold, false);
    main().mnuBold_Click();
    EXPECT_EQ(edit().bold, true);
    edit().italic = std::nullopt;
    main().mnuItalic_Click();
    EXPECT_EQ(edit().italic, std::nullopt);
    main().mnuUnderLine_Click();
    EXPECT_EQ(edit().underline, true);
    EXPECT_FALSE(document().Changed) << "formatting is not a change of the text";
}

TEST_F(Editing, SizesStepByOnePointAndTheBoundLooksAtTheBaseSize) {
    main().NewDocument();
    main().mnuLargen_Click();
    EXPECT_EQ(edit().size, 16);
    edit().size = 15;
    for (int i = 0; i < 8; ++i) {
        main().mnuSmallen_Click();
    }
    EXPECT_EQ(edit().size, 7) << "the base size stays 15, so the selection passes 8";
    edit().baseSize = 8;
    main().mnuSmallen_Click();
    EXPECT_EQ(edit().size, 7);
    edit().baseSize = 15;
    edit().size = 1;
    main().mnuSmallen_Click(); // the control refuses 0: silently nothing
    EXPECT_EQ(edit().size, 1);
    edit().size = std::nullopt;
    main().mnuLargen_Click();
    EXPECT_EQ(edit().size, std::nullopt);
    for (int i = 0; i < 100; ++i) {
        main().mnuLargen_Click();
    }
    EXPECT_EQ(edit().size, std::nullopt);
    EXPECT_TRUE(platform.messageBox.shown.empty());
}

TEST_F(Editing, ClipboardCommands) {
    main().NewDocument();
    edit().setText("hello world");
    document().Changed = false;
    platform.clipboard.content = "before";
    click("复制"); // nothing selected: clipboard kept
    EXPECT_EQ(platform.clipboard.content, "before");
    edit().select(0, 5);
    click("复制");
    EXPECT_EQ(platform.clipboard.content, "hello");
    EXPECT_FALSE(document().Changed);
    click("剪切");
    EXPECT_EQ(edit().content, " world");
    EXPECT_TRUE(document().Changed);
    click("粘贴");
    EXPECT_EQ(edit().content, "hello world");
    edit().select(0, 0);
    click("剪切"); // nothing selected: an empty text goes to the clipboard
    EXPECT_EQ(platform.clipboard.content, "");
    platform.clipboard.content = "";
    edit().select(0, 6);
    click("粘贴"); // nothing on the clipboard: the selection goes
    EXPECT_EQ(edit().content, "world");
}

TEST_F(Editing, PastedLineEndsBecomeOneLineBreakEach) {
    main().NewDocument();
    platform.clipboard.content = "a\r\nb\rc\nd";
    main().PasteText();
    EXPECT_EQ(edit().content, "a\nb\nc\nd");
}

TEST_F(Editing, ClipboardFailuresDoNotStopTheNextStep) {
    main().NewDocument();
    edit().setText("abc");
    edit().select(0, 1);
    platform.clipboard.fail = true;
    main().CutText();
    EXPECT_EQ(edit().content, "bc") << "the selection is deleted all the same";
    main().PasteText();
    EXPECT_EQ(edit().content, "bc");
    document().Changed = false;
    document().Close();
    platform.clipboard.fail = false;
    platform.clipboard.content = "kept";
    main().CutText();
    main().CopyText();
    EXPECT_EQ(platform.clipboard.writes, 0);
}

TEST_F(Editing, ToolbarPositionsImagesAndTips) {
    const auto& buttons = window().tools.buttons;
    ASSERT_EQ(buttons.size(), 27u);
    const char* keys[] = {
        "新建", "打开", "保存",   "",         "",         "剪切",       "复制", "粘贴", "",
        "粗体", "斜体", "下划线", "字体增大", "字体缩小", "行号列号",   "",     "",     "Java",
        "IE",   "",     "",       "编译",     "运行",     "运行Applet", "",     "",     "退出系统"};
    const int images[] = {1,  2, 3, 0,  0,  4, 5, 6,  0,  7,  8, 9, 10, 11,
                          18, 0, 0, 12, 13, 0, 0, 14, 16, 17, 0, 0, 15};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(buttons[i].key, keys[i]);
        EXPECT_EQ(buttons[i].image, images[i]);
        const bool separator = std::string(keys[i]).empty();
        EXPECT_EQ(buttons[i].style == platform::ButtonStyle::Separator, separator);
        const bool untipped = separator || buttons[i].key == "行号列号" ||
                              buttons[i].key == "Java" || buttons[i].key == "IE";
        EXPECT_EQ(buttons[i].tipText, untipped ? "" : buttons[i].key);
    }
    EXPECT_EQ(buttons[14].style, platform::ButtonStyle::Check);
    ASSERT_EQ(window().tools.images.size(), 18u);
    EXPECT_EQ(window().tools.images[13].key, "Combile");
    EXPECT_EQ(window().tools.images[15].key, "");
}

TEST_F(Editing, EveryKeyRunsItsCommandAndOthersNothing) {
    platform.files.files["/src/page.htm"] = "<HTML>";
    platform.fileDialogs.answers.push_back("/src/page.htm");
    click("打开");
    EXPECT_EQ(document().Caption(), "/src/page.htm");
    click("IE");
    EXPECT_EQ(platform.programsStarted().size(), 1u);
    click("运行Applet");
    EXPECT_EQ(platform.consoles().size(), 1u);
    EXPECT_EQ(platform.files.files["/src/debug.bat"],
              "set path=/jdk/\r\nappletviewer.exe page.htm\r\n@pause\r\n");
    click("运行");
    EXPECT_EQ(platform.messageBox.shown.back().prompt,
              "只有当当前文编译生成*.class文件后方能使用本命令！");
    click("编译");
    EXPECT_EQ(platform.messageBox.shown.back().prompt, "只能编译Java源程序(扩展名为*.java)!");
    edit().bold = false;
    click("粗体");
    click("斜体");
    click("下划线");
    click("字体增大");
    click("字体缩小");
    click("字体增大");
    EXPECT_EQ(edit().bold, true);
    EXPECT_EQ(edit().italic, true);
    EXPECT_EQ(edit().underline, true);
    EXPECT_EQ(edit().size, 16);
    edit().type("x");
    platform.fileDialogs.answers.clear();
    click("保存");
    EXPECT_EQ(platform.files.files["/src/page.htm"], "x<HTML>");
    click("新建");
    EXPECT_EQ(document().Caption(), "Document 2");

    const auto boxes = platform.messageBox.shown.size();
    for (const char* miss : {"java", "ie", "JAVA", "新建 ", "", "Save"}) {
        click(miss);
    }
    EXPECT_EQ(platform.messageBox.shown.size(), boxes);
    EXPECT_EQ(window().documentHost.created, 2);
    click("退出系统");
    EXPECT_TRUE(window().closed);
}

TEST_F(Editing, SkeletonReplacesTheWholeText) {
    EXPECT_EQ(toolbar::appletSkeleton().size(), 95u);
    click("Java"); // no document: nothing
    main().NewDocument();
    edit().setText("old text");
    document().Changed = false;
    click("Java");
    EXPECT_EQ(edit().content, "//\nimport java.applet.Applet;\nimport java.awt.Graphics;\n"
                              "public class    extends Applet\n{\n}");
    EXPECT_TRUE(document().Changed);
    EXPECT_EQ(document().Caption(), "Document 1");
}

TEST_F(Editing, AboutBoxShowsTheSameTextsEachTime) {
    main().mnuAbout_Click();
    main().mnuAbout_Click();
    auto& box = *platform.windows.aboutBox;
    EXPECT_EQ(platform.windows.aboutBoxesCreated, 1);
    EXPECT_EQ(box.showings, 2);
    EXPECT_FALSE(box.open);
    EXPECT_EQ(box.labels["lblVersion"], "版本:2.0");
    EXPECT_EQ(box.labels["lblDescription"],
              "本程序用于方便Java程序的调试。详细用法请看说明文件readme.txt");
    EXPECT_EQ(box.labels["lblDisclaimer"].rfind("警告: ...\r\n", 0), 0u);
    EXPECT_GT(box.labels["lblDisclaimer"].size(), std::string("警告: ...\r\n").size());
    EXPECT_EQ(box.layout.caption, "关于我的应用程序");
    EXPECT_EQ(box.layout.clientWidth, 5730);
    EXPECT_EQ(box.layout.clientHeight, 3555);
    const auto& title = box.layout.controls[2];
    EXPECT_EQ(title.name, "lblTitle");
    EXPECT_EQ(title.caption, "MORVANE集成系统");
    EXPECT_EQ(title.fontName, "宋体");
    EXPECT_EQ(title.fontSize, 18);
    const auto& ok = box.layout.controls[0];
    EXPECT_EQ(ok.caption, "确定");
    EXPECT_EQ(std::vector<int>({ok.left, ok.top, ok.width, ok.height}),
              std::vector<int>({3960, 3000, 1500, 465}));
}

} // namespace

namespace {

// What becomes of a failure that a command or a tolerated step did not handle itself: memory
// running out is told to the user, a numbered failure goes to the caller (or is tolerated), and
// anything else is a bug, never swallowed.
TEST(CommandFailures, OnlyNumberedFailuresAndLackOfMemoryAreExpected) {
    struct Case {
        const char* name;
        std::function<void()> fail;
        int messages;  // shown by the command guard
        bool raisedOn; // a numbered failure the guard leaves to its caller
        int bugs;      // reported as a bug, by the guard and by a tolerated step alike
    };
    const std::vector<Case> cases = {
        {"nothing", [] {}, 0, false, 0},
        {"memory", [] { throw std::bad_alloc(); }, 1, false, 0},
        {"numbered", [] { throw platform::RuntimeError(75, "x"); }, 0, true, 0},
        {"logic", [] { throw std::logic_error("bug"); }, 0, false, 1},
        {"range", [] { (void)std::string().at(1); }, 0, false, 1},
    };
    static int bugs = 0;
    const platform::BugHandler previous = platform::bugHandler;
    platform::bugHandler = [](const std::exception&) { ++bugs; };
    for (const Case& c : cases) {
        fakes::FakeMessageBox box;
        bugs = 0;
        bool raisedOn = false;
        try {
            editor::runningCommand(box, c.fail);
        } catch (const platform::RuntimeError&) {
            raisedOn = true;
        }
        EXPECT_EQ(box.shown.size(), static_cast<std::size_t>(c.messages)) << c.name;
        EXPECT_EQ(raisedOn, c.raisedOn) << c.name;
        EXPECT_EQ(bugs, c.bugs) << c.name;

        bugs = 0;
        platform::tolerating(c.fail);
        EXPECT_EQ(bugs, c.bugs) << c.name << ", tolerated";
    }
    platform::bugHandler = previous;
}

} // namespace
