// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "app_fixture.h"

#include <gtest/gtest.h>

namespace {

struct Expected {
    const char* menu;
    const char* name;
    const char* caption;
};

// Display order, nesting and separators of the whole menu bar.
const Expected MenuBar[] = {
    {"", "mnuFile", "文件"},
    {"mnuFile", "mnuFileNew", "新建"},
    {"mnuFile", "mnuFileOpen", "打开"},
    {"mnuFile", "mnuFileSave", "保存"},
    {"mnuFile", "mnuFileSaveAs", "另存为"},
    {"mnuFile", "mnuBar1", "-"},
    {"mnuFile", "mnuSet", "系统设置"},
    {"mnuFile", "mnuBar2", "-"},
    {"mnuFile", "mnuFileShut", "关闭文件"},
    {"mnuFile", "mnuBar3", "-"},
    {"mnuFile", "mnuClose", "退出"},
    {"", "mnuSave", "保存"},
    {"mnuSave", "mnuFileSaveAsHtml", "保存为htm文件"},
    {"", "mnuFont", "字体"},
    {"mnuFont", "mnuLargen", "字体增大"},
    {"mnuFont", "mnuSmallen", "字体缩小"},
    {"mnuFont", "mnuBold", "粗体"},
    {"mnuFont", "mnuItalic", "斜体"},
    {"mnuFont", "mnuUnderLine", "下划线"},
    {"", "mnuCombile", "编译"},
    {"", "mnuRunJava", "运行"},
    {"", "mnuFileBuildAsHtm", "生成htm文件"},
    {"", "mnuJavaViewer", "用JavaViewer浏览"},
    {"", "mnuSendToExplorer", "发送到浏览器"},
    {"", "mnuAbout", "关于"},
};

class MainMenu : public ::testing::Test, public AppFixture {
protected:
    void SetUp() override {
        writeSetIni("/jdk/\r\n/src/\r\n");
        start();
    }
};

TEST_F(MainMenu, EveryItemInOrderWithItsCaptionAndPlace) {
    const auto& entries = window().menus.entries;
    ASSERT_EQ(entries.size(), std::size(MenuBar));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(MenuBar[i].name);
        EXPECT_EQ(entries[i].menu, MenuBar[i].menu);
        EXPECT_EQ(entries[i].name, MenuBar[i].name);
        EXPECT_EQ(entries[i].caption, MenuBar[i].caption);
        const bool separator = std::string(MenuBar[i].caption) == "-";
        EXPECT_EQ(entries[i].separator, separator);
        const bool dropDown = std::string(MenuBar[i].menu).empty() &&
                              std::string(MenuBar[i].name) != "" &&
                              (std::string(MenuBar[i].name) == "mnuFile" ||
                               std::string(MenuBar[i].name) == "mnuSave" ||
                               std::string(MenuBar[i].name) == "mnuFont");
        EXPECT_EQ(entries[i].dropDown, dropDown);
        EXPECT_EQ(static_cast<bool>(entries[i].handler), !separator && !dropDown);
    }
}

TEST_F(MainMenu, SettingsItemOpensTheDialogAndExitItemClosesTheWindow) {
    window().menus.find("mnuSet")->handler();
    EXPECT_EQ(platform.windows.settingsDialogsCreated, 1);
    EXPECT_EQ(platform.windows.settingsDialog->showings, 1);

    window().menus.find("mnuClose")->handler();
    EXPECT_TRUE(window().closed);
}

} // namespace
