#include "error_of.h"
#include "platform/error.h"
#include "platform/win/win_text_files.h"
#include "win_test_support.h"

#include <string>
#include <vector>
#include <windows.h>

namespace {

namespace ErrorNumber = platform::ErrorNumber;
using wintest::readRaw;
using wintest::TempFolder;
using wintest::wide;
using wintest::writeRaw;

class WinTextFilesTest : public ::testing::Test {
protected:
    TempFolder folder{"源程序 文件"};
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
        files.replaceBytes(path, bytes);
        EXPECT_EQ(readRaw(path), bytes);
        EXPECT_EQ(files.readBytes(path), bytes);
    }
    // The shorter content replaced the longer one whole, and nothing else is left beside it.
    files.replaceBytes(path, "short");
    EXPECT_EQ(files.readBytes(path), "short");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"你好 Hello.java"});
}

TEST_F(WinTextFilesTest, ReadFailuresAreNumbered) {
    const platform::RuntimeError missing =
        errorOf([&] { files.readBytes(folder.file("none.java")); });
    EXPECT_EQ(missing.number(), ErrorNumber::FileNotFound);
    EXPECT_NE(missing.description().find("文件未找到“" + folder.file("none.java") + "”"),
              std::string::npos);
    EXPECT_EQ(errorOf([&] { files.readBytes(folder.file("no folder\\a.java")); }).number(),
              ErrorNumber::FileNotFound);
    EXPECT_EQ(errorOf([&] { files.readBytes(folder.path()); }).number(),
              ErrorNumber::PathFileAccess);
    // A device is no document, even though it opens.
    EXPECT_EQ(errorOf([&] { files.readBytes("NUL"); }).number(), ErrorNumber::PathFileAccess);
}

TEST_F(WinTextFilesTest, AReadOnlyFileIsRefusedWith75AndKeepsItsContent) {
    const std::string path = folder.file("只读.java");
    writeRaw(path, "precious\r\n");
    SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_READONLY);
    const platform::RuntimeError error = errorOf([&] { files.replaceBytes(path, "new"); });
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
    const platform::RuntimeError error = errorOf([&] { files.replaceBytes(path, "new"); });
    CloseHandle(held);
    EXPECT_EQ(error.number(), ErrorNumber::PathFileAccess);
    EXPECT_EQ(readRaw(path), "old content\r\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"held.java"});
    // Once it lets go, the save goes through.
    files.replaceBytes(path, "new");
    EXPECT_EQ(readRaw(path), "new");
}

TEST_F(WinTextFilesTest, AFolderOrAMissingFolderInPlaceOfTheFileIs75) {
    wintest::makeFolder(folder.file("folder.java"));
    EXPECT_EQ(errorOf([&] { files.replaceBytes(folder.file("folder.java"), "x"); }).number(),
              ErrorNumber::PathFileAccess);
    EXPECT_EQ(errorOf([&] { files.replaceBytes(folder.file("no folder\\a.java"), "x"); }).number(),
              ErrorNumber::PathFileAccess);
    EXPECT_EQ(errorOf([&] { files.replaceBytes("NUL", "x"); }).number(),
              ErrorNumber::PathFileAccess);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"folder.java"});
}

TEST_F(WinTextFilesTest, AReplacedFileKeepsItsAttributes) {
    const std::string path = folder.file("hidden.java");
    writeRaw(path, "old");
    SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
    files.replaceBytes(path, "new");
    EXPECT_EQ(readRaw(path), "new");
    EXPECT_NE(GetFileAttributesW(wide(path).c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

} // namespace
