// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "error_of.h"
#include "files/file_errors.h"
#include "files/save_procedure.h"
#include "platform/error.h"
#include "platform/win/win_text_files.h"
#include "save_fault_table.h"
#include "win_test_support.h"

#include <iostream>
#include <string>
#include <vector>
#include <windows.h>

namespace {

namespace ErrorNumber = platform::ErrorNumber;
using files::SaveOutcome;
using wintest::readRaw;
using wintest::TempFolder;
using wintest::wide;
using wintest::writeRaw;

class WinTextFilesTest : public ::testing::Test {
protected:
    void SetUp() override { SetEnvironmentVariableW(L"LOCALAPPDATA", wide(cache.path()).c_str()); }
    void TearDown() override { SetEnvironmentVariableW(L"LOCALAPPDATA", nullptr); }
    SaveOutcome save(const std::string& path, const std::string& bytes) {
        return files::saveFile(files, path, bytes);
    }
    std::string read(const std::string& path) { return files::readWholeFile(files, path); }

    TempFolder folder{"源程序 文件"};
    TempFolder cache{"cache"};
    platform::win::WinTextFiles files;
};

TEST_F(WinTextFilesTest, BytesGoOutAndComeBackUnchanged) {
    std::string large(3 << 20, 'x');
    for (std::size_t i = 0; i < large.size(); i += 7) {
        large[i] = static_cast<char>(i % 256);
    }
    const std::vector<std::string> contents = {
        "", "class A {}\r\n", std::string("\xC4\xE3\0\r\n\r", 5), "no line end", large};
    const std::string path = folder.file("你好 Hello.java");
    for (const std::string& bytes : contents) {
        save(path, bytes);
        EXPECT_EQ(readRaw(path), bytes);
        EXPECT_EQ(read(path), bytes);
    }
    // The shorter content replaced the longer one whole, and nothing else is left beside it.
    EXPECT_EQ(save(path, "short").way, SaveOutcome::Way::Replaced);
    EXPECT_EQ(read(path), "short");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"你好 Hello.java"});
}

TEST_F(WinTextFilesTest, ReadFailuresAreNumbered) {
    const platform::RuntimeError missing = errorOf([&] { read(folder.file("none.java")); });
    EXPECT_EQ(missing.number(), ErrorNumber::FileNotFound);
    EXPECT_EQ(missing.description(), "文件未找到");
    EXPECT_EQ(errorOf([&] { read(folder.file("no folder\\a.java")); }).number(),
              ErrorNumber::FileNotFound);
    EXPECT_EQ(errorOf([&] { read(folder.path()); }).number(), ErrorNumber::NotAFile);
    // A device is no document, even though it opens.
    EXPECT_EQ(errorOf([&] { read("NUL"); }).number(), ErrorNumber::NotAFile);
}

TEST_F(WinTextFilesTest, AReadOnlyFileIsRefusedWith75AndKeepsItsContent) {
    const std::string path = folder.file("只读.java");
    writeRaw(path, "precious\r\n");
    SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_READONLY);
    const platform::RuntimeError error = errorOf([&] { save(path, "new"); });
    EXPECT_EQ(error.number(), ErrorNumber::PathFileAccess);
    EXPECT_NE(error.description().find("是只读的"), std::string::npos);
    EXPECT_EQ(readRaw(path), "precious\r\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"只读.java"});
}

TEST_F(WinTextFilesTest, AFileHeldOpenByAnotherProgramKeepsItsOldContentWhole) {
    const std::string path = folder.file("held.java");
    writeRaw(path, "old content\r\n");
    // Another program reads the file and lets nobody delete or rename it meanwhile.
    HANDLE held = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const platform::RuntimeError error = errorOf([&] { save(path, "new"); });
    CloseHandle(held);
    EXPECT_EQ(error.number(), ErrorNumber::PathFileAccess);
    EXPECT_EQ(readRaw(path), "old content\r\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"held.java"});
    // Once it lets go, the save goes through.
    save(path, "new");
    EXPECT_EQ(readRaw(path), "new");
}

// What stands on the path is named as it is, with the numbers the POSIX system gives.
TEST_F(WinTextFilesTest, PathsThatCannotHoldAFileNameTheirRealCause) {
    wintest::makeFolder(folder.file("folder.java"));
    EXPECT_EQ(errorOf([&] { save(folder.file("folder.java"), "x"); }).number(),
              ErrorNumber::NotAFile);
    EXPECT_EQ(errorOf([&] { save(folder.file("no folder\\a.java"), "x"); }).number(),
              ErrorNumber::PathNotFound);
    EXPECT_EQ(errorOf([&] { save("NUL", "x"); }).number(), ErrorNumber::NotAFile);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"folder.java"});
}

TEST_F(WinTextFilesTest, AReplacedFileKeepsItsAttributesAndASecondNameGetsTheNewContent) {
    const std::string path = folder.file("hidden.java");
    writeRaw(path, "old");
    SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
    save(path, "new");
    EXPECT_EQ(readRaw(path), "new");
    EXPECT_NE(GetFileAttributesW(wide(path).c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);

    const std::string second = folder.file("second name.java");
    if (!CreateHardLinkW(wide(second).c_str(), wide(path).c_str(), nullptr)) {
        GTEST_SKIP() << "no hard links here";
    }
    EXPECT_EQ(save(path, "both names").way, SaveOutcome::Way::OverwrittenInPlace);
    EXPECT_EQ(readRaw(second), "both names");
}

// The fault table of the save procedure on this file system, beside the same table on the file
// system in memory: the same cases, the same outcomes.
TEST_F(WinTextFilesTest, EveryFaultAtEveryStepEndsAsOnTheFileSystemInMemory) {
    const std::vector<fakes::SaveFaultRow> rows = fakes::runSaveFaultTable(files, folder.path());
    EXPECT_EQ(fakes::differencesFromMemory(rows), "");
    std::cout << fakes::summaryOf(rows);
}

} // namespace
