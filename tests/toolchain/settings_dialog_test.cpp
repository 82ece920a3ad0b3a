// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "app_fixture.h"
#include "toolchain/frm_dialog.h"
#include "toolchain/tool_directories.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace {

using Action = std::function<void(fakes::FakeSettingsDialog&)>;

const char* const EmptyMessage = "以上三项都不能为空，否则程序不能正确运行。";
const char* const UnsetQuestion = "以上三项都不能为空，否则程序不能正确运行。真的不设置吗？";

bool made(const fakes::FakePlatform& platform, const std::string& folder) {
    return std::ranges::count(platform.location.created, folder) != 0;
}

class SettingsDialog : public ::testing::Test, public AppFixture {
protected:
    // Starts with the given Set.ini (none when empty) and what the user does in the dialog.
    void startWith(const std::string& setIni, std::vector<Action> actions) {
        if (!setIni.empty()) {
            writeSetIni(setIni);
        }
        for (auto& action : actions) {
            platform.windows.dialogActions.push_back(std::move(action));
        }
        start();
    }
    fakes::FakeSettingsDialog& dialog() { return *platform.windows.settingsDialog; }
    toolchain::frmDialog& form() { return module->settingsDialog(); }

    static Action type(std::string one, std::string two) {
        return [one, two](fakes::FakeSettingsDialog& d) {
            d.text1Value = one;
            d.text2Value = two;
            d.events->OKButton_Click();
        };
    }
};

TEST_F(SettingsDialog, OkAddsTheFinalSeparatorAndWritesSetIniByteForByte) {
    startWith("", {type("/usr/lib/jvm/java-17/bin", "/home/u/src/")});
    EXPECT_EQ(module->JavaBinDir, "/usr/lib/jvm/java-17/bin/");
    EXPECT_EQ(module->SourceDir, "/home/u/src/");
    EXPECT_EQ(platform.files.files[setIni()], "/usr/lib/jvm/java-17/bin/\r\n/home/u/src/\r\n");
    EXPECT_FALSE(dialog().open);
    EXPECT_TRUE(form().CanClose);
    EXPECT_EQ(dialog().text1Value, "/usr/lib/jvm/java-17/bin/");
}

TEST_F(SettingsDialog, WindowsSeparatorIsAppendedOnWindows) {
    platform.location.directory = "C:\\Program Files\\M";
    platform.location.separator = '\\';
    startWith("", {type("C:\\java\\bin", "c:\\src\\")});
    EXPECT_EQ(platform.files.files["C:\\Program Files\\M\\Set.ini"],
              "C:\\java\\bin\\\r\nc:\\src\\\r\n");
}

TEST_F(SettingsDialog, ASingleSeparatorIsAcceptedAsItStands) {
    startWith("", {type("/", "/")});
    EXPECT_EQ(module->JavaBinDir, "/");
    EXPECT_EQ(module->SourceDir, "/");
    EXPECT_EQ(platform.files.files[setIni()], "/\r\n/\r\n");
}

TEST_F(SettingsDialog, ARelativeDirectoryIsRefusedWithAMessageAndTheDialogStays) {
    const std::string ask = "请填写完整的目录（如：/usr/lib/jvm/default-java/bin/）。";
    const std::string askOne = "Java工具会在文档所在的文件夹里寻找。请只填写一个完整的目录（如：/"
                               "usr/lib/jvm/default-java/bin/）。";
    const std::string tooLong = "/" + std::string(4095, 'j');
    struct Case {
        std::string text1;
        std::string text2;
        std::string message;
    };
    const Case cases[] = {
        {"bin/", "/src/", "“bin/”不是绝对目录。" + ask},
        // Blanks count as text, so they pass the empty test, but they name no directory either.
        {"/jdk/", "  ", "“  ”不是绝对目录。" + ask},
        {"/x;.", "/src/", "“/x;.”中的“.”不是绝对目录，" + askOne},
        {"/x:.", "/src/", "“/x:.”中的“.”不是绝对目录，" + askOne},
        {"/x:~/bin", "/src/", "“/x:~/bin”中的“~/bin”不是绝对目录，" + askOne},
        {"/x::/y", "/src/", "“/x::/y”中有空的目录项，" + askOne},
        {"/x;", "/src/", "“/x;”中有空的目录项，" + askOne},
        {"/jdk/\njava Pwn.java", "/src/",
         "“/jdk/␊java Pwn.java”中有换行符等控制字符或无效的字节，不能作为目录。" + ask},
        {"/jdk/", "/src/\r", "“/src/␍”中有换行符等控制字符或无效的字节，不能作为目录。" + ask},
        {tooLong, "/src/", "目录太长（共4096字节），系统无法使用。" + ask},
    };
    startWith("", {[&](fakes::FakeSettingsDialog& d) {
                  for (const Case& c : cases) {
                      type(c.text1, c.text2)(d);
                      EXPECT_TRUE(d.open) << c.text1;
                  }
                  type("/jdk/", "/src;x:y/")(d);
              }});
    std::vector<std::string> prompts;
    std::vector<std::string> expected;
    for (const auto& box : platform.messageBox.shown) {
        prompts.push_back(box.prompt);
        EXPECT_EQ(box.title, "提示");
        EXPECT_EQ(box.style, platform::MsgBoxStyle::Information);
    }
    for (const Case& c : cases) {
        expected.push_back(c.message);
    }
    EXPECT_EQ(prompts, expected);
    // The source folder is no search path: its ";" and ":" are part of its name.
    EXPECT_EQ(module->JavaBinDir, "/jdk/");
    EXPECT_EQ(module->SourceDir, "/src;x:y/");
    EXPECT_EQ(platform.files.files[setIni()], "/jdk/\r\n/src;x:y/\r\n");
}

TEST_F(SettingsDialog, OnWindowsWhatTheConsoleReadsAsCommandsOrVariablesIsRefused) {
    platform.location.directory = "C:\\M";
    platform.location.separator = '\\';
    startWith("", {[](fakes::FakeSettingsDialog& d) {
                  type("C:\\R&D\\bin\\", "c:\\src\\")(d);
                  type("C:\\java\\bin\\;.", "c:\\src\\")(d);
                  type("C:\\java\\bin\\", "c:\\%TEMP%\\")(d);
                  type("C:\\Program Files (x86)\\Java\\bin", "c:\\src & co\\")(d);
              }});
    EXPECT_EQ(platform.messageBox.prompts(),
              (std::vector<std::string>{
                  "“C:\\R&D\\bin\\”中有“&”，它在批处理文件中另有含义。请换一个不含“\"%&|<>^”的目"
                  "录。",
                  "“C:\\java\\bin\\;.”中的“.”不是绝对目录，Java工具会在文档所在的文件夹里寻找。请"
                  "只填写一个完整的目录（如：C:\\java\\bin\\）。",
                  "“c:\\%TEMP%\\”中有“%”，它在批处理文件中另有含义。请换一个不含“\"%”的目录。"}));
    // The script's own path goes to the console in quotes: an "&" there is only a name.
    EXPECT_EQ(module->JavaBinDir, "C:\\Program Files (x86)\\Java\\bin\\");
    EXPECT_EQ(module->SourceDir, "c:\\src & co\\");
}

TEST_F(SettingsDialog, OkWithAnEmptyBoxTellsAndChangesNothing) {
    startWith("", {type("/jdk/", "")});
    ASSERT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(platform.messageBox.shown[0].prompt, EmptyMessage);
    EXPECT_EQ(platform.messageBox.shown[0].title, "提示");
    EXPECT_EQ(platform.messageBox.shown[0].style, platform::MsgBoxStyle::Information);
    EXPECT_TRUE(dialog().open);
    EXPECT_FALSE(form().CanClose);
    EXPECT_TRUE(module->JavaBinDir.empty());
    EXPECT_EQ(platform.files.files.count(setIni()), 0u);
}

TEST_F(SettingsDialog, CancelWithoutDirectoriesAsksAndNoKeepsTheDialogOpen) {
    startWith("", {[this](fakes::FakeSettingsDialog& d) {
                  platform.messageBox.answers = {platform::MsgBoxResult::No};
                  d.events->CancelButton_Click();
              }});
    ASSERT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(platform.messageBox.shown[0].prompt, UnsetQuestion);
    EXPECT_EQ(platform.messageBox.shown[0].title, "提示");
    EXPECT_EQ(platform.messageBox.shown[0].style,
              platform::MsgBoxStyle::YesNo | platform::MsgBoxStyle::Exclamation);
    EXPECT_TRUE(dialog().open);
    EXPECT_FALSE(form().CanClose);
}

TEST_F(SettingsDialog, CancelAnsweredYesRunsWithEmptyDirectoriesAndWritesNothing) {
    startWith("", {[](fakes::FakeSettingsDialog& d) {
                  d.text1Value = "/typed/";
                  d.events->CancelButton_Click(); // the fake answers Yes
              }});
    EXPECT_FALSE(dialog().open);
    EXPECT_TRUE(module->JavaBinDir.empty());
    EXPECT_EQ(platform.files.files.count(setIni()), 0u);

    AppFixture next; // the next start asks again
    next.start();
    EXPECT_EQ(next.platform.windows.settingsDialogsCreated, 1);
}

TEST_F(SettingsDialog, CancelWithBothDirectoriesSetDropsWhatWasTyped) {
    startWith("/jdk/\r\n/src/\r\n", {});
    platform.windows.dialogActions.clear();
    main().mnuSet_Click();
    dialog().text1Value = "/other/";
    dialog().events->CancelButton_Click();
    EXPECT_FALSE(dialog().open);
    EXPECT_TRUE(platform.messageBox.shown.empty());
    EXPECT_EQ(module->JavaBinDir, "/jdk/");
    EXPECT_EQ(platform.files.files[setIni()], "/jdk/\r\n/src/\r\n");
}

TEST_F(SettingsDialog, CloseBoxIsRefusedUntilAButtonAllowedClosingThenAlwaysAllowed) {
    startWith("", {[](fakes::FakeSettingsDialog& d) {
                  d.close(); // the close box at the first showing
                  EXPECT_TRUE(d.open);
                  d.text1Value = "/a/";
                  d.text2Value = "/b/";
                  d.events->OKButton_Click();
              }});
    EXPECT_EQ(dialog().refusedCloses, 1);
    EXPECT_FALSE(dialog().open);

    // Later showings reuse the same dialog; it still may close, without checks or writing.
    platform.files.files.erase(setIni());
    dialog().userActions.push_back([](fakes::FakeSettingsDialog& d) {
        EXPECT_EQ(d.text1Value, "/a/");
        d.text1Value.clear();
        d.close();
    });
    main().mnuSet_Click();
    EXPECT_EQ(platform.windows.settingsDialogsCreated, 1);
    EXPECT_EQ(dialog().showings, 2);
    EXPECT_FALSE(dialog().open);
    EXPECT_EQ(platform.files.files.count(setIni()), 0u);
    EXPECT_EQ(module->JavaBinDir, "/a/");
}

TEST_F(SettingsDialog, CommaInADirectorySurvivesTheNextStart) {
    platform.location.separator = '\\';
    platform.location.directory = "C:\\M";
    startWith("", {type("C:\\jdk,1\\bin\\", "c:\\my,src\\")});
    AppFixture next;
    next.platform.location = platform.location;
    next.platform.files = platform.files;
    next.start();
    EXPECT_EQ(next.module->JavaBinDir, "C:\\jdk,1\\bin\\");
    EXPECT_EQ(next.module->SourceDir, "c:\\my,src\\");
    EXPECT_EQ(next.platform.windows.settingsDialogsCreated, 0);
}

TEST_F(SettingsDialog, FailedWriteIsReportedAndTheValuesHoldForThisRun) {
    platform.files.readOnly.insert(setIni());
    startWith("\r\n", {type("/jdk", "/src")});
    ASSERT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(
        platform.messageBox.shown[0].prompt,
        "无法保存设置文件 /opt/morvane/Set.ini：无法写入文件“/opt/morvane/Set.ini”：文件是只读的");
    EXPECT_EQ(platform.messageBox.shown[0].style, platform::MsgBoxStyle::Critical);
    EXPECT_EQ(module->JavaBinDir, "/jdk/");
    EXPECT_FALSE(dialog().open);
}

TEST_F(SettingsDialog, LoadFillsTheBoxesAndLabelsEachShowing) {
    startWith("/jdk/\r\n\r\n", {[](fakes::FakeSettingsDialog& d) {
                  EXPECT_EQ(d.text1Value, "/jdk/");
                  EXPECT_EQ(d.text2Value, "/home/u/文档/java/"); // an empty one is offered
                  EXPECT_EQ(d.label1, "Java编译器和AppletViewr所在目录：(如：C:\\java\\bin\\)");
                  EXPECT_EQ(d.label2, "Java源程序绝对目录：(如：c:\\javasemple\\)");
              }});
    EXPECT_EQ(dialog().showings, 1);
}

TEST_F(SettingsDialog, AnInstalledCopyKeepsItsSettingsInTheUsersConfigFolder) {
    const std::string perUser = "/home/u/.config/MORVANE集成系统/Set.ini";
    platform.location.readOnly.insert("/opt/morvane");
    startWith("", {type("/jdk/bin", "/home/u/src")});
    EXPECT_TRUE(platform.messageBox.shown.empty());
    EXPECT_EQ(platform.location.created,
              std::vector<std::string>{"/home/u/.config/MORVANE集成系统"});
    EXPECT_EQ(platform.files.files[perUser], "/jdk/bin/\r\n/home/u/src/\r\n");
    EXPECT_EQ(platform.files.files.count(setIni()), 0u);

    AppFixture next; // the next start reads them and does not ask
    next.platform.location.readOnly = platform.location.readOnly;
    next.platform.files.files = platform.files.files;
    next.start();
    EXPECT_EQ(next.module->SourceDir, "/home/u/src/");
    EXPECT_EQ(next.platform.windows.settingsDialogsCreated, 0);
}

TEST_F(SettingsDialog, FirstStartOffersTheCompilerOnTheSearchPathAndWritesNothingBeforeOk) {
    const std::string jdk = "/usr/lib/jvm/java-17-openjdk-amd64/bin/";
    platform.location.searchPath["javac"] = jdk + "javac";
    startWith("", {[&](fakes::FakeSettingsDialog& d) {
                  EXPECT_EQ(d.text1Value, jdk);
                  EXPECT_EQ(d.text2Value, "/home/u/文档/java/");
                  EXPECT_EQ(platform.files.files.count(setIni()), 0u);
                  EXPECT_TRUE(platform.location.created.empty());
                  d.events->CancelButton_Click(); // answered Yes: nothing kept
              }});
    EXPECT_TRUE(module->JavaBinDir.empty());
    EXPECT_EQ(platform.files.files.count(setIni()), 0u);

    // A tools directory already set is shown as it is; no compiler found leaves the box empty.
    AppFixture kept;
    kept.platform.location.searchPath["javac"] = jdk + "javac";
    kept.writeSetIni("/my/jdk/\r\n\r\n");
    kept.platform.windows.dialogActions.push_back(
        [](fakes::FakeSettingsDialog& d) { EXPECT_EQ(d.text1Value, "/my/jdk/"); });
    kept.start();
    AppFixture none;
    none.platform.windows.dialogActions.push_back(
        [](fakes::FakeSettingsDialog& d) { EXPECT_EQ(d.text1Value, ""); });
    none.start();
    EXPECT_EQ(none.platform.windows.settingsDialog->showings, 1);
}

TEST(OfferedSourceDirectory, JavaInTheDocumentsFolderElseInTheHomeFolder) {
    struct Case {
        std::string documents;
        bool documentsExist;
        std::string home;
        char separator;
        std::string offered;
    };
    for (const Case& c : {
             Case{"/home/u/文档", true, "/home/u", '/', "/home/u/文档/java/"},
             Case{"/home/u/Documents/", true, "/home/u", '/', "/home/u/Documents/java/"},
             // Qt names ~/Documents even where the desktop made no such folder.
             Case{"/home/u/Documents", false, "/home/u", '/', "/home/u/java/"},
             Case{"", true, "/home/u", '/', "/home/u/java/"},
             Case{"", true, "/", '/', "/java/"},
             Case{"", true, "", '/', ""},
             Case{"", true, "relative", '/', ""},
             Case{"C:\\Users\\u\\Documents", true, "C:\\Users\\u", '\\',
                  "C:\\Users\\u\\Documents\\java\\"},
         }) {
        fakes::FakeSystemEnvironment environment;
        environment.documents = c.documents;
        environment.home = c.home;
        if (!c.documentsExist) {
            environment.missingDirectories.insert(c.documents);
        }
        EXPECT_EQ(toolchain::offeredSourceDirectory(environment, c.separator), c.offered)
            << c.documents << " " << c.home;
    }
}

TEST_F(SettingsDialog, OneOkKeepsTheOfferedFoldersAndMakesTheSourceFolder) {
    platform.location.searchPath["javac"] = "/usr/lib/jvm/java-17/bin/javac";
    startWith("", {[](fakes::FakeSettingsDialog& d) { d.events->OKButton_Click(); }});
    EXPECT_TRUE(platform.messageBox.shown.empty());
    EXPECT_FALSE(dialog().open);
    EXPECT_EQ(module->SourceDir, "/home/u/文档/java/");
    EXPECT_TRUE(made(platform, "/home/u/文档/java/"));
    EXPECT_EQ(platform.files.files[setIni()],
              "/usr/lib/jvm/java-17/bin/\r\n/home/u/文档/java/\r\n");
}

TEST_F(SettingsDialog, OnlyTheOfferedSourceFolderIsMadeAndOnlyWhenMissing) {
    // Already there: nothing to make.
    platform.location.directories.insert("/home/u/文档/java/");
    startWith("", {type("/jdk/", "/home/u/文档/java")});
    EXPECT_FALSE(made(platform, "/home/u/文档/java/"));
    EXPECT_EQ(module->SourceDir, "/home/u/文档/java/");

    // A folder the user typed is the user's, as it always was; so is one shown from Set.ini.
    AppFixture typed;
    typed.platform.windows.dialogActions.push_back(type("/jdk/", "/home/u/my sources/"));
    typed.start();
    EXPECT_FALSE(made(typed.platform, "/home/u/my sources/"));
    EXPECT_EQ(typed.module->SourceDir, "/home/u/my sources/");
    AppFixture kept;
    kept.writeSetIni("\r\n/home/u/文档/java/\r\n");
    kept.platform.windows.dialogActions.push_back(type("/jdk/", "/home/u/文档/java/"));
    kept.start();
    EXPECT_FALSE(made(kept.platform, "/home/u/文档/java/"));
}

TEST_F(SettingsDialog, AnOfferedSourceFolderThatCannotBeMadeIsNamedAndTheDialogStays) {
    platform.location.readOnly.insert("/home/u/文档/java/");
    startWith("", {[](fakes::FakeSettingsDialog& d) {
                  type("/jdk/", "/home/u/文档/java/")(d);
                  EXPECT_TRUE(d.open);
                  type("/jdk/", "/home/u/src/")(d);
              }});
    ASSERT_EQ(platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(platform.messageBox.shown[0].prompt,
              "无法创建源程序目录“/home/u/文档/java/”：Read-only file system。请填写另一个目录。");
    EXPECT_EQ(platform.messageBox.shown[0].title, "提示");
    EXPECT_EQ(platform.messageBox.shown[0].style, platform::MsgBoxStyle::Exclamation);
    // Nothing was kept by the refused OK; the second OK, with the user's own folder, closes.
    EXPECT_EQ(platform.files.files[setIni()], "/jdk/\r\n/home/u/src/\r\n");
    EXPECT_FALSE(dialog().open);
    EXPECT_EQ(dialog().refusedCloses, 0);
}

TEST(SettingsDialogLayout, BoxesAndTabOrder) {
    const auto layout = toolchain::frmDialog::layout();
    EXPECT_EQ(layout.caption, "参数设置对话框");
    EXPECT_EQ(layout.clientWidth, 6885);
    EXPECT_EQ(layout.clientHeight, 3045);
    std::vector<std::string> order;
    for (const auto& box : layout.controls) {
        order.push_back(box.name);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"OKButton", "CancelButton", "Label1", "Text1",
                                               "Label2", "Text2"}));
    const auto& ok = layout.controls[0];
    EXPECT_EQ(ok.caption, "确定");
    EXPECT_EQ(std::vector<int>({ok.left, ok.top, ok.width, ok.height}),
              std::vector<int>({1080, 2280, 1215, 495}));
    const auto& text2 = layout.controls[5];
    EXPECT_EQ(std::vector<int>({text2.left, text2.top, text2.width, text2.height}),
              std::vector<int>({120, 1320, 6615, 495}));
    EXPECT_EQ(layout.controls[1].caption, "取消");
}

} // namespace
