// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// The Windows program under wine, driven through its real windows: start, menus, toolbar,
// status bar, document windows, the settings dialog and the About box.

#include "app/module1.h"
#include "platform/twips.h"
#include "platform/win/win_services.h"
#include "program_fixture.h"

#include <cstdio>
#include <windows.h>

namespace {

using wintest::MainCaption;
using wintest::ProgramTest;
using wintest::SettingsCaption;
using wintest::waitUntil;

int pixels(double twips) {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return platform::twipsToPixels(twips, dpi);
}

std::string captionOf(HMENU menu, int index) {
    wchar_t text[256] = L"";
    GetMenuStringW(menu, static_cast<UINT>(index), text, 256, MF_BYPOSITION);
    return wintest::narrow(text);
}

// Menus are read in the process that made them: the program runs here, on the real windows.
TEST(ProgramMenu, TheMenuBarHoldsTheMenusAndCommandsInOrderWithoutShortcuts) {
    platform::win::WinServices platform(GetModuleHandleW(nullptr));
    const std::string setIni = platform.location.programDirectory() + "\\Set.ini";
    wintest::writeRaw(setIni, "C:\\java\\bin\\\r\nC:\\src\\\r\n");
    app::Module1 module(platform.services);
    module.Main();
    wintest::removeFile(setIni);
    const HMENU bar = GetMenu(platform.windows.mainWindowHandle());
    const wintest::MenuLayout& layout = wintest::menuLayout();
    ASSERT_EQ(GetMenuItemCount(bar), static_cast<int>(layout.size()));
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        const auto& [caption, items] = layout[static_cast<std::size_t>(i)];
        EXPECT_EQ(captionOf(bar, i), caption);
        const HMENU dropDown = GetSubMenu(bar, i);
        EXPECT_EQ(dropDown != nullptr, !items.empty()) << caption;
        for (int j = 0; dropDown != nullptr && j < GetMenuItemCount(dropDown); ++j) {
            const bool separator =
                (GetMenuState(dropDown, static_cast<UINT>(j), MF_BYPOSITION) & MF_SEPARATOR) != 0;
            const std::string item = separator ? "-" : captionOf(dropDown, j);
            EXPECT_EQ(item, items.at(static_cast<std::size_t>(j)));
            // No shortcut keys: nothing after a tab, no mnemonic.
            EXPECT_EQ(item.find_first_of("\t&"), std::string::npos) << item;
        }
        if (dropDown != nullptr) {
            EXPECT_EQ(GetMenuItemCount(dropDown), static_cast<int>(items.size())) << caption;
        }
    }
}

TEST_F(ProgramTest, FirstStartPlacesTheWindowAndAsksForBothDirectories) {
    start(false);
    auto& p = program();
    EXPECT_EQ(p.text(p.mainWindow()), MainCaption);
    const RECT bounds = p.bounds(p.mainWindow());
    EXPECT_EQ(bounds.left, pixels(1000));
    EXPECT_EQ(bounds.top, pixels(1000));
    EXPECT_EQ(bounds.right - bounds.left, pixels(6500));
    EXPECT_EQ(bounds.bottom - bounds.top, pixels(6500));
    EXPECT_EQ(p.panelText(1), "软件版本：2.0版");

    const HWND dialog = box(SettingsCaption);
    ASSERT_NE(dialog, nullptr);
    p.screenshot("windows-first-start");
    EXPECT_EQ(p.staticTexts(dialog), "Java编译器和AppletViewr所在目录：(如：C:\\java\\bin\\)\n"
                                     "Java源程序绝对目录：(如：c:\\javasemple\\)");
    // The dialog's client area is 6885 by 3045 twips.
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, pixels(6885));
    EXPECT_EQ(client.bottom, pixels(3045));
    // The close box does nothing while nothing was chosen.
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_GT(p.answerTime(), 0);
    EXPECT_TRUE(IsWindowVisible(dialog));

    // OK with an empty box: the notice, and the dialog stays.
    p.press(dialog, "确定");
    EXPECT_EQ(answer("提示", IDOK), "以上三项都不能为空，否则程序不能正确运行。");
    EXPECT_TRUE(IsWindowVisible(dialog));

    const std::vector<HWND> edits = p.edits(dialog);
    ASSERT_EQ(edits.size(), 2u);
    p.setText(edits[0], tools.path());
    p.setText(edits[1], sources.path());
    p.press(dialog, "确定");
    EXPECT_TRUE(p.windowGone(dialog));
    // Beside the program, in the ANSI code page, each line ended by CR LF.
    EXPECT_EQ(wintest::readRaw(folder.file("Set.ini")),
              gbk(javaBinDir() + "\r\n" + sourceDir() + "\r\n"));
    quit();
    EXPECT_EQ(storedSetting("MainLeft"), "1000");
    EXPECT_EQ(storedSetting("MainHeight"), "6500");
}

TEST_F(ProgramTest, CancelAtTheFirstStartAsksAndNoKeepsTheDialog) {
    start(false);
    const HWND dialog = box(SettingsCaption);
    ASSERT_NE(dialog, nullptr);
    program().press(dialog, "取消");
    EXPECT_EQ(answer("提示", IDNO), "以上三项都不能为空，否则程序不能正确运行。真的不设置吗？");
    EXPECT_TRUE(IsWindowVisible(dialog));
    program().press(dialog, "取消");
    answer("提示", IDYES);
    EXPECT_TRUE(program().windowGone(dialog));
    EXPECT_FALSE(wintest::exists(folder.file("Set.ini")));
}

TEST_F(ProgramTest, ToolbarAndStatusPanelsAreLaidOutAsTheTablesSay) {
    start();
    auto& p = program();
    EXPECT_EQ(p.toolButtonCount(), 27);

    const int widths[] = {1440, 1440, 1440, 600, 500, 500, 1440, 1440};
    const std::vector<int> edges = p.panelEdges();
    ASSERT_EQ(edges.size(), 8u);
    int right = 0;
    for (int i = 0; i < 8; ++i) {
        right += pixels(widths[i]);
        EXPECT_EQ(edges[static_cast<std::size_t>(i)], right) << "panel " << i + 1;
    }
    SYSTEMTIME now{};
    GetLocalTime(&now);
    EXPECT_EQ(p.panelText(7), std::to_string(now.wYear) + "/" + std::to_string(now.wMonth) + "/" +
                                  std::to_string(now.wDay));
    // The clock moves on by itself.
    const std::string time = p.panelText(8);
    EXPECT_EQ(time.size() >= 7 && time[time.size() - 3] == ':', true) << time;
    EXPECT_TRUE(waitUntil([&] { return p.panelText(8) != time; }, 5000));
    // Typing inserts while no document is open.
    EXPECT_TRUE(p.keyPanelOn(6));
    EXPECT_EQ(p.keyPanelOn(4), (GetKeyState(VK_CAPITAL) & 1) != 0);
    quit();
}

TEST_F(ProgramTest, NewNumbersDocumentsAndAChangedOneAsksBeforeClosing) {
    start();
    auto& p = program();
    p.menu("文件", "新建");
    p.clickToolButton(1);
    p.menu("文件", "新建");
    ASSERT_TRUE(waitUntil([&] { return p.documents().size() == 3; }));
    EXPECT_EQ(p.text(p.activeDocument()), "Document 3");

    // Document 2 closes unasked: it never changed.
    for (HWND document : p.documents()) {
        if (p.text(document) == "Document 2") {
            SendMessageW(p.client(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(document), 0);
        }
    }
    ASSERT_EQ(p.text(p.activeDocument()), "Document 2");
    p.menu("文件", "关闭文件");
    ASSERT_TRUE(waitUntil([&] { return p.documents().size() == 2; }));
    p.menu("文件", "新建");
    ASSERT_TRUE(waitUntil([&] { return p.documents().size() == 3; }));
    EXPECT_EQ(p.text(p.activeDocument()), "Document 4");

    // Typing changes the document: closing asks; No throws the text away.
    p.type("class 你好\n{}");
    EXPECT_EQ(p.text(p.editOf(p.activeDocument())), "class 你好\r\n{}");
    p.menu("文件", "关闭文件");
    // Esc and the close box choose nothing: only Yes or No answers.
    const HWND question = box("关闭文件 提示");
    ASSERT_NE(question, nullptr);
    PostMessageW(question, WM_KEYDOWN, VK_ESCAPE, 1);
    p.settle();
    PostMessageW(box("关闭文件 提示"), WM_SYSCOMMAND, SC_CLOSE, 0);
    p.settle();
    EXPECT_EQ(p.documents().size(), 3u);
    EXPECT_EQ(answer("关闭文件 提示", IDNO), "文本已改变，是否保存？");
    ASSERT_TRUE(waitUntil([&] { return p.documents().size() == 2; }));

    // Yes on an untitled one asks for a name; cancelling keeps the window and its text.
    p.type("x");
    const HWND typed = p.activeDocument();
    p.menu("文件", "关闭文件");
    answer("关闭文件 提示", IDYES);
    answer("保存", IDCANCEL);
    EXPECT_TRUE(IsWindow(typed));
    EXPECT_EQ(p.text(p.editOf(typed)), "x");

    // Exit asks again for it; a name given saves it and the program ends.
    p.menu("文件", "退出");
    answer("关闭文件 提示", IDYES);
    const HWND dialog = box("保存");
    ASSERT_NE(dialog, nullptr);
    p.chooseFile(dialog, sources.file("留下.java"));
    EXPECT_TRUE(p.waitForExit());
    EXPECT_EQ(wintest::readRaw(sources.file("留下.java")), "x");
}

TEST_F(ProgramTest, ToolbarButtonsRunTheirCommands) {
    start();
    auto& p = program();
    // With no document, the toolchain buttons and the skeleton do nothing.
    p.clickToolButton(18);
    p.clickToolButton(22);
    EXPECT_GT(p.answerTime(), 0);
    EXPECT_TRUE(p.documents().empty());

    p.clickToolButton(1);
    ASSERT_TRUE(waitUntil([&] { return p.documents().size() == 1; }));
    const HWND edit = p.editOf(p.activeDocument());
    // The skeleton replaces the text.
    p.type("old");
    p.clickToolButton(18);
    EXPECT_TRUE(waitUntil([&] { return p.text(edit).starts_with("//\r\nimport java.applet"); }));
    EXPECT_EQ(p.text(edit), "//\r\nimport java.applet.Applet;\r\nimport java.awt.Graphics;\r\n"
                            "public class    extends Applet\r\n{\r\n}");

    // The line and column switch: the panels follow the caret while it is down.
    p.clickToolButton(15);
    EXPECT_TRUE(waitUntil([&] { return p.toolButtonChecked(15); }));
    // Just after the first line break, then one character on.
    SendMessageW(edit, EM_SETSEL, 3, 3);
    p.key(VK_RIGHT);
    EXPECT_TRUE(waitUntil([&] { return p.panelText(2) == "行：2"; }));
    EXPECT_EQ(p.panelText(3), "列：1");
    p.clickToolButton(15);
    EXPECT_TRUE(waitUntil([&] { return p.panelText(2).empty() && p.panelText(3).empty(); }));

    // Copy and paste through the clipboard; cut takes the text away.
    SendMessageW(edit, EM_SETSEL, 0, 2);
    p.clickToolButton(7);
    p.answerTime();
    SendMessageW(edit, EM_SETSEL, 0, 0);
    p.clickToolButton(8);
    EXPECT_TRUE(waitUntil([&] { return p.text(edit).starts_with("////\r\nimport"); }));
    SendMessageW(edit, EM_SETSEL, 0, 4);
    p.clickToolButton(6);
    EXPECT_TRUE(waitUntil([&] { return p.text(edit).starts_with("\r\nimport"); }));

    // The toolchain buttons refuse an untitled document, each with its own message.
    p.clickToolButton(22);
    EXPECT_EQ(answer("错误检查", IDNO), "文件已改变，但未保存，是否保存？");
    EXPECT_EQ(answer("错误提示", IDOK), "文件未保存!");
    p.clickToolButton(23);
    EXPECT_EQ(answer("错误提示", IDOK), "只有当当前文编译生成*.class文件后方能使用本命令！");
    p.clickToolButton(24);
    EXPECT_EQ(answer("错误提示", IDOK), "请先将文件保存为*.htm文件！");
    p.clickToolButton(19);
    EXPECT_EQ(answer("错误提示", IDOK), "请先保存文件!");

    // Save on an untitled document asks for a name; Open shows its dialog.
    p.clickToolButton(3);
    answer("保存", IDCANCEL);
    p.clickToolButton(2);
    answer("打开", IDCANCEL);
    EXPECT_EQ(p.documents().size(), 1u);

    // Exit asks for the changed document.
    p.clickToolButton(27);
    answer("关闭文件 提示", IDNO);
    EXPECT_TRUE(p.waitForExit());
}

TEST_F(ProgramTest, FormattingCommandsChangeTheSelectionOnly) {
    start();
    auto& p = program();
    p.menu("文件", "新建");
    ASSERT_TRUE(waitUntil([&] { return p.documents().size() == 1; }));
    p.type("abcdef");
    const HWND edit = p.editOf(p.activeDocument());
    SendMessageW(edit, EM_SETSEL, 0, 3);
    // Each menu item and its toolbar button: bold on, off, on; underline likewise; italic on;
    // the size 15 + 1 + 1 - 1 - 1 + 1 = 16 points.
    p.menu("字体", "粗体");
    p.clickToolButton(10);
    p.menu("字体", "粗体");
    p.clickToolButton(11);
    p.menu("字体", "下划线");
    p.clickToolButton(12);
    p.menu("字体", "下划线");
    p.menu("字体", "字体增大");
    p.clickToolButton(13);
    p.menu("字体", "字体缩小");
    p.clickToolButton(14);
    p.menu("字体", "字体增大");
    EXPECT_GT(p.answerTime(), 0);
    // The rich-edit control reports the formatting of the text it holds, as RTF.
    SendMessageW(edit, EM_SETSEL, 0, 3);
    SendMessageW(edit, WM_COPY, 0, 0);
    ASSERT_TRUE(OpenClipboard(nullptr));
    const HANDLE rtf = GetClipboardData(RegisterClipboardFormatW(L"Rich Text Format"));
    std::string copied;
    if (rtf != nullptr) {
        copied.assign(static_cast<const char*>(GlobalLock(rtf)));
        GlobalUnlock(rtf);
    }
    CloseClipboard();
    EXPECT_NE(copied.find("\\b"), std::string::npos) << copied;
    EXPECT_NE(copied.find("\\i"), std::string::npos) << copied;
    EXPECT_NE(copied.find("\\ul"), std::string::npos) << copied;
    // 16 points: 32 half points.
    EXPECT_NE(copied.find("\\fs32"), std::string::npos) << copied;
}

TEST_F(ProgramTest, TheAboutBoxAndTheSettingsDialogFromTheMenu) {
    start();
    auto& p = program();
    for (int showing = 0; showing < 2; ++showing) {
        p.menu("关于");
        const HWND about = box("关于我的应用程序");
        ASSERT_NE(about, nullptr);
        p.screenshot("windows-about", about);
        const std::string texts = p.staticTexts(about);
        EXPECT_NE(texts.find("MORVANE集成系统\n版本:2."
                             "0\n本程序用于方便Java程序的调试。详细用法请看说明文件readme.txt"),
                  std::string::npos)
            << texts;
        EXPECT_NE(texts.find("警告: ...\r\n"), std::string::npos) << texts;
        RECT client{};
        GetClientRect(about, &client);
        EXPECT_EQ(client.right, pixels(5730));
        EXPECT_EQ(client.bottom, pixels(3555));
        // OK, then the close box, close it.
        if (showing == 0) {
            p.press(about, "确定");
        } else {
            PostMessageW(about, WM_CLOSE, 0, 0);
        }
        EXPECT_TRUE(p.windowGone(about));
    }
    // The settings dialog from the menu shows the directories; Cancel keeps them.
    p.menu("文件", "系统设置");
    const HWND settings = box(SettingsCaption);
    ASSERT_NE(settings, nullptr);
    const std::vector<HWND> edits = p.edits(settings);
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(p.text(edits[0]), javaBinDir());
    EXPECT_EQ(p.text(edits[1]), sourceDir());
    p.setText(edits[1], "D:\\别处\\");
    p.press(settings, "取消");
    EXPECT_TRUE(p.windowGone(settings));
    EXPECT_EQ(wintest::readRaw(folder.file("Set.ini")),
              gbk(javaBinDir() + "\r\n" + sourceDir() + "\r\n"));
    quit();
}

TEST_F(ProgramTest, ThePlacementIsKeptAcrossTwoStarts) {
    start();
    auto& p = program();
    SetWindowPos(p.mainWindow(), nullptr, 120, 90, 800, 600, SWP_NOZORDER);
    p.answerTime();
    quit();
    EXPECT_NE(storedSetting("MainLeft"), "1000");

    std::printf("start: %.0f ms to the painted main window\n", start());
    const RECT bounds = program().bounds(program().mainWindow());
    EXPECT_EQ(bounds.left, 120);
    EXPECT_EQ(bounds.top, 90);
    EXPECT_EQ(bounds.right - bounds.left, 800);
    EXPECT_EQ(bounds.bottom - bounds.top, 600);

    // Quitting while minimised stores nothing.
    ShowWindow(program().mainWindow(), SW_MINIMIZE);
    program().answerTime();
    const std::string left = storedSetting("MainLeft");
    // Closed from outside, as from the taskbar: a minimised window shows no menu bar.
    PostMessageW(program().mainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(program().waitForExit());
    EXPECT_EQ(storedSetting("MainLeft"), left);
}

} // namespace
