// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "error_of.h"
#include "files/save_backup.h"
#include "files/save_procedure.h"
#include "platform/error.h"
#include "platform/posix/posix_private_files.h"
#include "platform/posix/posix_text_files.h"
#include "posix_test_support.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/wait.h>

namespace {

using files::InterruptedSave;
using platform::RuntimeError;
using platform::posix::PosixPrivateFiles;
using platform::posix::PosixTextFiles;
using namespace posixtest;
namespace ErrorNumber = platform::ErrorNumber;

// A 64 KiB tmpfs fills up at once and can be made read-only; mounting one needs root.
class SmallDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        disk_ = dir_.file("disk");
        ASSERT_EQ(::mkdir(disk_.c_str(), 0755), 0);
        if (::mount("tmpfs", disk_.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0) {
            GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
        }
        mounted_ = true;
        writeFile(disk_ + "/A.java", old_);
    }
    void TearDown() override {
        if (mounted_) {
            ::chmod(disk_.c_str(), 0755);
            ::umount2(disk_.c_str(), MNT_DETACH);
        }
    }
    void save(const std::string& bytes) { files::saveFile(files_, disk_ + "/A.java", bytes); }

    TempFolder dir_;
    TempFolder cacheDir_{0777};
    CacheFolder cache_{cacheDir_.path()};
    std::string disk_;
    bool mounted_ = false;
    PosixTextFiles files_;
    const std::string old_ = std::string(1000, 'o');
    const std::string tooLarge_ = std::string(200000, 'n');
};

TEST_F(SmallDiskTest, AFullDiskFailsTheReplaceWithTheOldContentWhole) {
    const RuntimeError error = errorOf([&] { save(tooLarge_); });
    EXPECT_EQ(error.number(), ErrorNumber::DiskFull);
    EXPECT_EQ(error.description(), "无法写入文件“" + disk_ + "/A.java”：磁盘已满");
    EXPECT_EQ(contentOf(disk_ + "/A.java"), old_);
    EXPECT_EQ(entriesOf(disk_), (std::vector<std::string>{"A.java"}));
}

TEST_F(SmallDiskTest, AFullDiskFailsTheInPlaceWriteBeforeTheOldContentIsCut) {
    handToOrdinaryUser(disk_ + "/A.java");
    ASSERT_EQ(::chmod((disk_ + "/A.java").c_str(), 0666), 0);
    ASSERT_EQ(::chmod(disk_.c_str(), 0555), 0);
    EXPECT_EQ(outcomeAsOrdinaryUser([&] { save(tooLarge_); }), ErrorNumber::DiskFull);
    EXPECT_EQ(contentOf(disk_ + "/A.java"), old_);
}

TEST_F(SmallDiskTest, AReadOnlyFileSystemIsAnAccessError) {
    ASSERT_EQ(::mount("tmpfs", disk_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
    EXPECT_EQ(outcomeOf([&] { save("new"); }), ErrorNumber::PathFileAccess);
    EXPECT_EQ(outcomeOf([&] { files::saveFile(files_, disk_ + "/B.java", "new"); }),
              ErrorNumber::PathFileAccess);
    EXPECT_EQ(contentOf(disk_ + "/A.java"), old_);
}

TEST_F(SmallDiskTest, APrivateFileThatDoesNotFitIsNotLeftHalfWritten) {
    PosixPrivateFiles privateFiles;
    const std::string launch = disk_ + "/launch";
    const RuntimeError error = errorOf([&] { privateFiles.createPrivateFile(launch, tooLarge_); });
    EXPECT_EQ(error.number(), ErrorNumber::PathFileAccess);
    EXPECT_EQ(error.description(), "“" + launch + "”：" + std::strerror(ENOSPC));
    EXPECT_EQ(entriesOf(disk_), (std::vector<std::string>{"A.java"}));
}

// The in-place save of a writable file in a read-only folder, run as an ordinary user in a child
// process whose writes fail, or which is killed, after so many bytes: the file ends wholly old
// or wholly new, or a whole copy of the old content is kept and named.
class InPlaceFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        cache_ = dir_.file("cache");
        ASSERT_EQ(::mkdir(cache_.c_str(), 0777), 0);
        ASSERT_EQ(::chmod(cache_.c_str(), 0777), 0);
        ASSERT_EQ(::mkdir(dir_.file("src").c_str(), 0755), 0);
        document_ = dir_.file("src/A.java");
        for (int line = 0; old_.size() < 100000; ++line) {
            old_ += "// old line " + std::to_string(line) + "\r\n";
        }
        for (int line = 0; long_.size() < 150000; ++line) {
            long_ += "// new line " + std::to_string(line) + "\r\n";
        }
        short_ = long_.substr(0, 5000);
        resetDocument();
    }

    void resetDocument() {
        ::chmod(dir_.file("src").c_str(), 0755);
        writeFile(document_, old_, 0666);
        handToOrdinaryUser(document_);
        ::chmod(dir_.file("src").c_str(), 0555);
        std::error_code ignored;
        std::filesystem::remove_all(cache_ + "/MORVANE集成系统", ignored);
    }

    std::string backups() const { return cache_ + "/MORVANE集成系统/保存备份"; }

    // Saves bytes over the document in a child with the shim preloaded and the fault settings.
    ShimmedRun save(const std::string& bytes, const std::vector<std::string>& fault) {
        const std::string newBytes = dir_.file("new.bytes");
        writeFile(newBytes, bytes, 0644);
        return runUnderShim(WRITE_FAULT_SHIM, {SAVE_UNDER_FAULT, document_, newBytes}, cache_,
                            fault);
    }

    TempFolder dir_;
    std::string cache_;
    CacheFolder cacheSetting_{dir_.file("cache")};
    std::string document_;
    std::string old_, long_, short_;
    PosixTextFiles files_;
};

TEST_F(InPlaceFaultTest, EveryFailureLeavesTheFileWhollyOldOrWhollyNewOrAWholeCopyNamed) {
    enum class Expect { New, Old, CopyNamed, CopyReportedAtNextStart };
    struct Case {
        std::string what;
        const std::string* bytes;
        std::vector<std::string> fault;
        Expect expect;
    };
    const auto at = [](long long bytes) { return "MORVANE_FAULT_AFTER=" + std::to_string(bytes); };
    const std::string onFile = "MORVANE_FAULT_PATH=" + document_;
    const std::string onCache = "MORVANE_FAULT_PATH=" + cache_;
    std::vector<Case> cases = {{"no fault", &long_, {onFile, at(10000000)}, Expect::New}};
    for (const char* error : {"5", "28"}) { // EIO, ENOSPC: the write fails once, the restore holds
        for (const long long after : {0LL, 1LL, 4095LL, 65536LL, 99999LL, 149999LL}) {
            cases.push_back({std::string("errno ") + error + " after " + std::to_string(after),
                             &long_,
                             {onFile, at(after), std::string("MORVANE_FAULT_ERRNO=") + error,
                              "MORVANE_FAULT_ONCE=1"},
                             Expect::Old});
        }
        for (const long long after : {0LL, 2500LL, 4999LL}) {
            cases.push_back(
                {std::string("short, errno ") + error + " after " + std::to_string(after),
                 &short_,
                 {onFile, at(after), std::string("MORVANE_FAULT_ERRNO=") + error,
                  "MORVANE_FAULT_ONCE=1"},
                 Expect::Old});
        }
        // The copy in the cache cannot be written: the file is not touched at all.
        for (const long long after : {0LL, 10LL, 50000LL}) {
            cases.push_back(
                {std::string("copy, errno ") + error + " after " + std::to_string(after),
                 &long_,
                 {onCache, at(after), std::string("MORVANE_FAULT_ERRNO=") + error},
                 Expect::Old});
        }
    }
    // The disk keeps failing, the restore too: the message names the whole copy.
    for (const long long after : {0LL, 4096LL, 120000LL}) {
        cases.push_back({"lasting EIO after " + std::to_string(after),
                         &long_,
                         {onFile, at(after)},
                         Expect::CopyNamed});
    }
    // The program dies half-way: the next start names the copy.
    for (const long long after : {0LL, 1LL, 4096LL, 100000LL, 149999LL}) {
        cases.push_back({"killed after " + std::to_string(after),
                         &long_,
                         {onFile, at(after), "MORVANE_FAULT_KILL=1"},
                         Expect::CopyReportedAtNextStart});
    }
    // Dying before the copy and its record are whole leaves nothing to report: the file was
    // not touched yet. (The copy is 100000 bytes, the record follows it.)
    for (const long long after : {0LL, 1LL, 4096LL, 99999LL, 100000LL}) {
        cases.push_back({"killed while copying after " + std::to_string(after),
                         &long_,
                         {onCache, at(after), "MORVANE_FAULT_KILL=1"},
                         Expect::Old});
    }

    long long bytesLost = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        resetDocument();
        const ShimmedRun outcome = save(*c.bytes, c.fault);
        const std::string content = contentOf(document_);
        const std::vector<InterruptedSave> left = files::findInterruptedSaves(files_);
        const bool whole = content == old_ || content == *c.bytes;
        const bool copied = left.size() == 1 && contentOf(left[0].backupPath) == old_;
        switch (c.expect) {
        case Expect::New:
            EXPECT_EQ(outcome.exitCode, 0) << outcome.output;
            EXPECT_EQ(content, *c.bytes);
            EXPECT_TRUE(entriesOf(backups()).empty());
            break;
        case Expect::Old:
            EXPECT_TRUE(outcome.exitCode == 1 || outcome.killed) << outcome.output;
            EXPECT_EQ(content, old_);
            EXPECT_TRUE(left.empty());
            break;
        case Expect::CopyNamed: {
            EXPECT_EQ(outcome.exitCode, 1);
            // Named in the message, so not reported again at the next start.
            EXPECT_TRUE(left.empty());
            const std::vector<std::string> kept = entriesOf(backups());
            ASSERT_EQ(kept.size(), 1u);
            const std::string copy = backups() + "/" + kept[0] + "/A.java";
            EXPECT_EQ(contentOf(copy), old_);
            EXPECT_NE(outcome.output.find(copy), std::string::npos) << outcome.output;
            if (!whole && contentOf(copy) != old_) {
                bytesLost += static_cast<long long>(old_.size());
            }
            break;
        }
        case Expect::CopyReportedAtNextStart:
            EXPECT_TRUE(outcome.killed);
            ASSERT_TRUE(copied);
            EXPECT_EQ(left[0].documentPath, document_);
            files::markReported(files_, left[0]);
            EXPECT_TRUE(files::findInterruptedSaves(files_).empty()) << "reported once";
            EXPECT_EQ(contentOf(left[0].backupPath), old_) << "the copy itself stays";
            break;
        }
        if (c.expect != Expect::CopyNamed && !whole && !copied) {
            bytesLost += static_cast<long long>(old_.size());
        }
        if (c.expect == Expect::Old && outcome.exitCode == 1) {
            EXPECT_NE(outcome.output.find(c.fault[0] == onCache ? "副本" : document_),
                      std::string::npos)
                << outcome.output;
        }
    }
    EXPECT_EQ(bytesLost, 0);
    std::cout << "in-place save fault cases (real writes failing or killed): " << cases.size()
              << ", bytes lost: " << bytesLost << "\n";
}

} // namespace
