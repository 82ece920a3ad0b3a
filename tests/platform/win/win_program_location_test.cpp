#include "platform/win/win_program_location.h"
#include "win_test_support.h"

#include <string>

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

} // namespace
