// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "platform/win/win_program_location.h"
#include "win_test_support.h"

#include <string>
#include <vector>

namespace {

using platform::win::WinProgramLocation;

TEST(WinProgramLocation, TheProgramDirectoryHoldsTheRunningProgram) {
    WinProgramLocation location;
    const std::string directory = location.programDirectory();
    EXPECT_EQ(location.directorySeparator(), '\\');
    ASSERT_GE(directory.size(), 3u);
    EXPECT_EQ(directory[1], ':');
    EXPECT_NE(directory.back(), '\\');
    EXPECT_TRUE(wintest::exists(directory + "\\win_services_test.exe")) << directory;
}

TEST(WinProgramLocation, ADriveRootKeepsItsOneSeparator) {
    EXPECT_EQ(WinProgramLocation::folderOfExecutable(L"C:\\morvane.exe"), L"C:\\");
    EXPECT_EQ(WinProgramLocation::folderOfExecutable(L"C:\\MORVANE\\morvane.exe"), L"C:\\MORVANE");
    EXPECT_EQ(WinProgramLocation::folderOfExecutable(L"D:\\a b\\集成\\morvane.exe"),
              L"D:\\a b\\集成");
    EXPECT_EQ(WinProgramLocation::folderOfExecutable(L"\\\\server\\share\\morvane.exe"),
              L"\\\\server\\share");
    EXPECT_EQ(WinProgramLocation::folderOfExecutable(L"morvane.exe"), L"");
}

TEST(WinProgramLocation, FoldersAreMadeTestedForWritingAndFound) {
    wintest::TempFolder temp("位置 test");
    WinProgramLocation location;
    const std::string nested = temp.file("配置\\MORVANE集成系统");
    EXPECT_FALSE(location.exists(nested));
    location.createDirectory(nested);
    EXPECT_TRUE(location.exists(nested));
    location.createDirectory(nested); // already there: nothing to do
    EXPECT_TRUE(location.canWriteIn(nested));
    EXPECT_FALSE(location.canWriteIn(temp.file("missing")));
    EXPECT_EQ(temp.names(), std::vector<std::string>{"配置"});

    EXPECT_FALSE(location.userConfigDirectory().empty());
    const std::string cmd = location.findOnSearchPath("cmd");
    ASSERT_FALSE(cmd.empty());
    EXPECT_TRUE(location.exists(cmd)) << cmd;
    EXPECT_EQ(cmd.substr(1, 2), ":\\") << cmd;
    EXPECT_EQ(location.findOnSearchPath("morvane-no-such-program"), "");
}

} // namespace
