// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "error_of.h"
#include "files/file_errors.h"
#include "files/save_procedure.h"
#include "platform/error.h"
#include "platform/posix/posix_text_files.h"
#include "posix_test_support.h"
#include "save_fault_table.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/xattr.h>

namespace {

using files::SaveOutcome;
using platform::RuntimeError;
using platform::posix::PosixTextFiles;
using namespace posixtest;
namespace ErrorNumber = platform::ErrorNumber;

class PosixTextFilesTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return dir_.file(name); }
    std::string folder() const { return dir_.path(); }
    std::vector<std::string> entries() const { return entriesOf(folder()); }
    std::string read(const std::string& file) { return files::readWholeFile(files_, file); }
    SaveOutcome save(const std::string& file, const std::string& bytes) {
        return files::saveFile(files_, file, bytes);
    }

    TempFolder dir_;
    // In-place saves keep a copy in the user's cache folder, which the child must write.
    TempFolder cacheDir_{0777};
    CacheFolder cache_{cacheDir_.path()};
    PosixTextFiles files_;
};

TEST_F(PosixTextFilesTest, ReadsTheWholeFileByteForByte) {
    std::string bytes;
    for (int i = 0; i < 300000; ++i) {
        bytes += static_cast<char>(i % 256);
    }
    writeFile(path("data.bin"), bytes);
    EXPECT_EQ(read(path("data.bin")), bytes);
    writeFile(path("empty.txt"), "");
    EXPECT_EQ(read(path("empty.txt")), "");
}

TEST_F(PosixTextFilesTest, ReadFailuresCarryTheirNumberAndTheirCause) {
    const RuntimeError missing = errorOf([&] { read(path("missing.java")); });
    EXPECT_EQ(missing.number(), ErrorNumber::FileNotFound);
    EXPECT_EQ(missing.description(), "文件未找到");
    EXPECT_EQ(outcomeOf([&] { read(folder()); }), ErrorNumber::NotAFile);
    // A FIFO would block the reader until some writer came.
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0644), 0);
    EXPECT_EQ(outcomeOf([&] { read(path("pipe")); }), ErrorNumber::NotAFile);
    writeFile(path("secret.txt"), "x", 0000);
    EXPECT_EQ(outcomeAsOrdinaryUser([&] { read(path("secret.txt")); }),
              ErrorNumber::PathFileAccess);
}

TEST_F(PosixTextFilesTest, ReplacingKeepsPermissionsAndLeavesNoTemporaryFile) {
    writeFile(path("A.java"), "old", 0640);
    writeFile(path("run.sh"), "old", 0755);
    const ino_t inode = statusOf(path("A.java")).st_ino;
    EXPECT_EQ(save(path("A.java"), "new\r\n").way, SaveOutcome::Way::Replaced);
    save(path("run.sh"), "");
    EXPECT_EQ(contentOf(path("A.java")), "new\r\n");
    EXPECT_NE(statusOf(path("A.java")).st_ino, inode) << "a new file took its place";
    EXPECT_EQ(contentOf(path("run.sh")), "");
    EXPECT_EQ(statusOf(path("A.java")).st_mode & 07777, 0640u);
    EXPECT_EQ(statusOf(path("run.sh")).st_mode & 07777, 0755u);

    const mode_t savedMask = ::umask(022);
    EXPECT_EQ(save(path("New.java"), "class New {}").way, SaveOutcome::Way::Created);
    ::umask(savedMask);
    EXPECT_EQ(contentOf(path("New.java")), "class New {}");
    EXPECT_EQ(statusOf(path("New.java")).st_mode & 07777, 0644u);
    EXPECT_EQ(entries(), (std::vector<std::string>{"A.java", "New.java", "run.sh"}));
}

TEST_F(PosixTextFilesTest, TheStampChangesWithEveryWriteAndWithAnotherFileInThePlace) {
    writeFile(path("A.java"), "old");
    const platform::FileStamp opened = files_.status(path("A.java")).stamp;
    EXPECT_EQ(files_.openForReading(path("A.java"))->stamp(), opened);
    const platform::FileStamp saved = save(path("A.java"), "new").stamp;
    EXPECT_NE(saved, opened);
    EXPECT_EQ(files_.status(path("A.java")).stamp, saved);
    // Another program writes the same length: the time tells.
    struct timespec times[2] = {{0, UTIME_OMIT}, {12345, 0}};
    writeFile(path("A.java"), "NEW");
    ASSERT_EQ(::utimensat(AT_FDCWD, path("A.java").c_str(), times, 0), 0);
    EXPECT_NE(files_.status(path("A.java")).stamp, saved);
}

TEST_F(PosixTextFilesTest, AFileWithoutWriteBitsIsReadOnlyEvenForRoot) {
    writeFile(path("A.java"), "old", 0444);
    const RuntimeError error = errorOf([&] { save(path("A.java"), "new"); });
    EXPECT_EQ(error.number(), ErrorNumber::PathFileAccess);
    EXPECT_EQ(contentOf(path("A.java")), "old");
    EXPECT_EQ(statusOf(path("A.java")).st_mode & 07777, 0444u);
    EXPECT_EQ(entries(), (std::vector<std::string>{"A.java"}));
}

TEST_F(PosixTextFilesTest, AWritableFileInAReadOnlyFolderIsOverwrittenInPlace) {
    writeFile(path("A.java"), "a rather long old content\r\n", 0664);
    handToOrdinaryUser(path("A.java"));
    const ino_t inode = statusOf(path("A.java")).st_ino;
    ASSERT_EQ(::chmod(folder().c_str(), 0555), 0);

    EXPECT_EQ(outcomeAsOrdinaryUser([&] { save(path("A.java"), "short"); }), 0);
    EXPECT_EQ(contentOf(path("A.java")), "short");
    const std::string longer(100000, 'x');
    EXPECT_EQ(outcomeAsOrdinaryUser([&] { save(path("A.java"), longer); }), 0);
    EXPECT_EQ(contentOf(path("A.java")), longer);
    EXPECT_EQ(statusOf(path("A.java")).st_ino, inode);
    EXPECT_EQ(statusOf(path("A.java")).st_mode & 07777, 0664u);

    // No new file can be made there.
    EXPECT_EQ(outcomeAsOrdinaryUser([&] { save(path("B.java"), "new"); }),
              ErrorNumber::PathFileAccess);
    EXPECT_EQ(entries(), (std::vector<std::string>{"A.java"}));
    EXPECT_TRUE(entriesOf(cacheDir_.path() + "/MORVANE集成系统/保存备份").empty());
}

TEST_F(PosixTextFilesTest, SavingThroughASymbolicLinkReplacesItsTargetAndKeepsTheLink) {
    ASSERT_EQ(::mkdir(path("src").c_str(), 0755), 0);
    writeFile(path("src/A.java"), "old", 0600);
    // Relative links count from the link's own folder, not from the working directory, which
    // is an empty folder of its own here so that a wrong resolution writes nothing real.
    TempFolder elsewhere;
    const std::string savedDirectory = std::filesystem::current_path().string();
    ASSERT_EQ(::chdir(elsewhere.path().c_str()), 0);
    struct Return {
        std::string to;
        ~Return() { EXPECT_EQ(::chdir(to.c_str()), 0); }
    } returnAtEnd{savedDirectory};
    ASSERT_EQ(::symlink("src/A.java", path("link.java").c_str()), 0);
    ASSERT_EQ(::symlink("link.java", path("chain.java").c_str()), 0);
    ASSERT_EQ(::symlink("src/Dangling.java", path("dangling.java").c_str()), 0);

    save(path("chain.java"), "through two links");
    EXPECT_TRUE(S_ISLNK(statusOf(path("chain.java")).st_mode));
    EXPECT_TRUE(S_ISLNK(statusOf(path("link.java")).st_mode));
    EXPECT_EQ(contentOf(path("src/A.java")), "through two links");
    EXPECT_EQ(statusOf(path("src/A.java")).st_mode & 07777, 0600u);

    save(path("dangling.java"), "created");
    EXPECT_TRUE(S_ISLNK(statusOf(path("dangling.java")).st_mode));
    EXPECT_EQ(contentOf(path("src/Dangling.java")), "created");

    // A target name that is not UTF-8 is written under that very name.
    ASSERT_EQ(::symlink("src/\xC4\xE3.java", path("gbk.java").c_str()), 0);
    save(path("gbk.java"), "x");
    EXPECT_EQ(contentOf(path("src/\xC4\xE3.java")), "x");
    EXPECT_EQ(entriesOf(path("src")),
              (std::vector<std::string>{"A.java", "Dangling.java", "\xC4\xE3.java"}));
}

TEST_F(PosixTextFilesTest, ReplacingAnEntryReplacesALinkItselfAndNeverWritesThroughIt) {
    writeFile(path("target.txt"), "keep", 0644);
    ASSERT_EQ(::symlink(path("target.txt").c_str(), path("debug.bat").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere/x.bat", path("dangling.bat").c_str()), 0);

    files::replaceEntry(files_, path("debug.bat"), "@pause\r\n");
    EXPECT_EQ(contentOf(path("target.txt")), "keep");
    EXPECT_TRUE(S_ISREG(statusOf(path("debug.bat")).st_mode));
    EXPECT_EQ(contentOf(path("debug.bat")), "@pause\r\n");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(statusOf(path("debug.bat")).st_mode & 07777, 0666u & ~mask);

    files::replaceEntry(files_, path("dangling.bat"), "x");
    EXPECT_TRUE(S_ISREG(statusOf(path("dangling.bat")).st_mode));
    // A plain file is replaced as any save replaces it, its mode kept.
    writeFile(path("plain.bat"), "old", 0640);
    files::replaceEntry(files_, path("plain.bat"), "new");
    EXPECT_EQ(contentOf(path("plain.bat")), "new");
    EXPECT_EQ(statusOf(path("plain.bat")).st_mode & 07777, 0640u);
    EXPECT_EQ(entries(),
              (std::vector<std::string>{"dangling.bat", "debug.bat", "plain.bat", "target.txt"}));
}

// What stands on the path is named as it is, each with its own number.
TEST_F(PosixTextFilesTest, PathsThatCannotHoldAFileNameTheirRealCause) {
    const auto descriptionOf = [&](const std::string& file) {
        return errorOf([&] { save(file, "x"); }).description();
    };
    const std::string missing = descriptionOf(path("missing/A.java"));
    EXPECT_EQ(outcomeOf([&] { save(path("missing/A.java"), "x"); }), ErrorNumber::PathNotFound);
    EXPECT_NE(missing.find("路径未找到"), std::string::npos) << missing;
    writeFile(path("plain.txt"), "old");
    EXPECT_EQ(outcomeOf([&] { save(path("plain.txt/A.java"), "x"); }), ErrorNumber::PathNotFound);
    ASSERT_EQ(::mkdir(path("A.java").c_str(), 0755), 0);
    EXPECT_EQ(outcomeOf([&] { save(path("A.java"), "x"); }), ErrorNumber::NotAFile);
    EXPECT_NE(descriptionOf(path("A.java")).find("文件夹"), std::string::npos);
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0644), 0);
    EXPECT_EQ(outcomeOf([&] { save(path("pipe"), "x"); }), ErrorNumber::NotAFile);
    ASSERT_EQ(::symlink("loop2.java", path("loop1.java").c_str()), 0);
    ASSERT_EQ(::symlink("loop1.java", path("loop2.java").c_str()), 0);
    EXPECT_EQ(outcomeOf([&] { save(path("loop1.java"), "x"); }), ErrorNumber::PathNotFound);
    EXPECT_NE(descriptionOf(path("loop1.java")).find("符号链接构成了循环"), std::string::npos);
    // A folder that may not be entered is no read-only file.
    ASSERT_EQ(::mkdir(path("closed").c_str(), 0700), 0);
    writeFile(path("closed/A.java"), "old", 0666);
    EXPECT_EQ(outcomeAsOrdinaryUser([&] { save(path("closed/A.java"), "x"); }),
              ErrorNumber::PermissionDenied);
    EXPECT_EQ(contentOf(path("closed/A.java")), "old");
    EXPECT_EQ(entries(), (std::vector<std::string>{"A.java", "closed", "loop1.java", "loop2.java",
                                                   "pipe", "plain.txt"}));
}

// The fault table of the save procedure on this file system, beside the same table on the file
// system in memory: the same cases, the same outcomes.
TEST_F(PosixTextFilesTest, EveryFaultAtEveryStepEndsAsOnTheFileSystemInMemory) {
    const std::vector<fakes::SaveFaultRow> rows = fakes::runSaveFaultTable(files_, folder());
    EXPECT_EQ(fakes::differencesFromMemory(rows), "");
    std::cout << fakes::summaryOf(rows);
}

} // namespace
