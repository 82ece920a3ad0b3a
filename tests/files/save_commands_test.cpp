// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "app_fixture.h"
#include "editor/frm_edit.h"

#include <gtest/gtest.h>

namespace {

namespace MsgBoxResult = platform::MsgBoxResult;
namespace MsgBoxStyle = platform::MsgBoxStyle;

const std::string Path = "/home/u/src/A.java";
const std::string Question =
    "文件“/home/u/src/A.java”在打开或上次保存后已被其他程序修改。\n要用本窗口中的文本覆盖它吗？";

// The save commands on a file that another program changes meanwhile.
class ChangedOnDisk : public ::testing::Test, public AppFixture {
protected:
    void SetUp() override {
        writeSetIni("/jdk/bin/\r\n/home/u/src/\r\n");
        start();
        platform.files.files[Path] = "class A {}\r\n";
        platform.fileDialogs.answers.push_back(Path);
        main().mnuFileOpen_Click();
        window().documentHost.active->edit.type("// mine\n");
    }
    editor::frmEdit& document() { return *main().ActiveForm(); }
    // Another program writes the file, 1,100 bytes of its own.
    void anotherProgramWrites() { platform.files.files[Path] = std::string(1100, 'x'); }
    std::vector<std::string> prompts() { return platform.messageBox.prompts(); }
};

TEST_F(ChangedOnDisk, NoKeepsWhatTheOtherProgramWroteAndTheTextInTheWindow) {
    anotherProgramWrites();
    platform.messageBox.answers = {MsgBoxResult::No};
    main().mnuFileSave_Click();
    ASSERT_EQ(prompts(), std::vector<std::string>{Question});
    EXPECT_EQ(platform.messageBox.shown[0].style,
              MsgBoxStyle::YesNo | MsgBoxStyle::Exclamation | MsgBoxStyle::DefaultButton2);
    EXPECT_EQ(platform.messageBox.shown[0].title, "保存");
    EXPECT_EQ(platform.files.files[Path], std::string(1100, 'x'));
    EXPECT_EQ(document().txtEdit().text(), "// mine\nclass A {}\n");
    EXPECT_TRUE(document().Changed);
    EXPECT_EQ(document().Caption(), Path);

    // Asked again at the next save, since the file is still the other program's.
    platform.messageBox.answers = {MsgBoxResult::Yes};
    main().mnuFileSave_Click();
    EXPECT_EQ(prompts(), (std::vector<std::string>{Question, Question}));
    EXPECT_EQ(platform.files.files[Path], "// mine\r\nclass A {}\r\n");
    EXPECT_FALSE(document().Changed);

    // The file as this save left it is the one the window knows: no question.
    window().documentHost.active->edit.type("x");
    main().mnuFileSave_Click();
    EXPECT_EQ(prompts().size(), 2u);
}

TEST_F(ChangedOnDisk, ANewFileInThePlaceCountsAndAnUntouchedFileAsksNothing) {
    main().mnuFileSave_Click();
    EXPECT_TRUE(prompts().empty());
    // Another program puts a new file of the very same content in its place, as an editor that
    // saves by renaming does: only the file's identity tells.
    const std::string same = platform.files.files[Path];
    std::string fresh = platform.files.createBeside(Path)->path();
    platform.files.files[fresh] = same;
    platform.files.replace(fresh, Path);
    window().documentHost.active->edit.type("y");
    platform.messageBox.answers = {MsgBoxResult::No};
    main().mnuFileSave_Click();
    EXPECT_EQ(prompts(), std::vector<std::string>{Question});
    EXPECT_EQ(platform.files.files[Path], same);
}

TEST_F(ChangedOnDisk, ClosingWithNoKeepsTheWindowAndSavingAsElsewhereAsksNothing) {
    anotherProgramWrites();
    platform.messageBox.answers = {MsgBoxResult::Yes, MsgBoxResult::No};
    main().mnuFileShut_Click();
    EXPECT_EQ(prompts(), (std::vector<std::string>{"文本已改变，是否保存？", Question}));
    ASSERT_NE(main().ActiveForm(), nullptr) << "the window stays with its text";
    EXPECT_TRUE(document().Changed);
    EXPECT_EQ(platform.files.files[Path], std::string(1100, 'x'));

    platform.messageBox.shown.clear();
    platform.fileDialogs.answers.push_back("/home/u/src/B.java");
    main().mnuFileSaveAs_Click();
    EXPECT_TRUE(prompts().empty());
    EXPECT_EQ(platform.files.files["/home/u/src/B.java"], "// mine\r\nclass A {}\r\n");
}

} // namespace
