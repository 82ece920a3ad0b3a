// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "error_of.h"
#include "fake_text_files.h"
#include "faulty_text_files.h"
#include "files/save_backup.h"
#include "files/save_procedure.h"
#include "save_fault_table.h"

#include <iostream>

#include <gtest/gtest.h>

namespace {

using files::SaveOutcome;
namespace ErrorNumber = platform::ErrorNumber;

// The save procedure on the file system in memory.
class SaveProcedure : public ::testing::Test {
protected:
    std::vector<std::string> backups() {
        return fs.namesIn("/home/u/.cache/MORVANE集成系统/保存备份");
    }
    fakes::FakeTextFiles fs;
};

TEST_F(SaveProcedure, EveryFaultAtEveryStepLeavesTheOldContentTheNewOrANamedCopy) {
    const std::vector<fakes::SaveFaultRow> rows = fakes::runSaveFaultTable(fs, "/home/u/src");
    long long lost = 0;
    for (const fakes::SaveFaultRow& row : rows) {
        EXPECT_EQ(row.bytesLost, 0) << row.scenario << " " << row.fault << ": " << row.outcome;
        lost += row.bytesLost;
    }
    EXPECT_GT(rows.size(), 200u);
    EXPECT_EQ(lost, 0);
    std::cout << fakes::summaryOf(rows);
}

TEST_F(SaveProcedure, WhatTheAtomicReplaceCannotKeepIsOverwrittenInPlace) {
    const std::string path = "/home/u/src/A.java";
    const struct {
        const char* what;
        std::function<void()> arrange;
        SaveOutcome::Way way;
    } cases[] = {
        {"a plain file", [] {}, SaveOutcome::Way::Replaced},
        {"a second name", [&] { fs.hardLinked.insert(path); },
         SaveOutcome::Way::OverwrittenInPlace},
        {"an owner the new file cannot get", [&] { fs.foreignAttributes.insert(path); },
         SaveOutcome::Way::OverwrittenInPlace},
        {"a folder that takes no new file", [&] { fs.closedFolders.insert("/home/u/src"); },
         SaveOutcome::Way::OverwrittenInPlace},
        {"a sticky folder that refuses the rename", [&] { fs.renameRefused.insert(path); },
         SaveOutcome::Way::OverwrittenInPlace},
    };
    for (const auto& c : cases) {
        fakes::FakeTextFiles fresh;
        fs = fresh;
        fs.files[path] = "old";
        c.arrange();
        SCOPED_TRACE(c.what);
        const SaveOutcome outcome = files::saveFile(fs, path, "new");
        EXPECT_EQ(outcome.way, c.way) << c.what;
        EXPECT_EQ(fs.files[path], "new") << c.what;
        EXPECT_EQ(outcome.stamp, fs.status(path).stamp) << c.what;
        EXPECT_EQ(fs.files.size(), 1u) << c.what << ": nothing left beside it or in the cache";
        EXPECT_TRUE(backups().empty()) << c.what;
    }
    fs.files.erase(path);
    fs.renameRefused.clear();
    EXPECT_EQ(files::saveFile(fs, path, "made").way, SaveOutcome::Way::Created);
    // A new file in a folder that takes none has nowhere to go.
    fs.closedFolders.insert("/home/u/src");
    EXPECT_EQ(errorOf([&] { files::saveFile(fs, "/home/u/src/B.java", "x"); }).number(),
              ErrorNumber::PathFileAccess);
}

TEST_F(SaveProcedure, ACopyIsReportedOnceAndGoesWhenItsFileIsSavedWholeOrAfterTwoWeeks) {
    const std::string path = "/home/u/src/A.java";
    fs.files[path] = "old";
    fs.closedFolders.insert("/home/u/src");
    // The disk fails for good, the restore too: the message names the copy, which the next
    // start does not report.
    fakes::FaultyTextFiles failing(fs, path);
    failing.faults = {{"writeAt:document", 1, fakes::FaultKind::Lasting}};
    const platform::RuntimeError error = errorOf([&] { files::saveFile(failing, path, "new"); });
    ASSERT_EQ(backups().size(), 1u);
    const std::string copy = "/home/u/.cache/MORVANE集成系统/保存备份/" + backups()[0] + "/A.java";
    EXPECT_NE(error.description().find("原来的内容保存在“" + copy + "”"), std::string::npos)
        << error.description();
    EXPECT_EQ(fs.files[copy], "old");
    EXPECT_TRUE(files::findInterruptedSaves(fs).empty()) << "told already";
    // Kept while it may be needed.
    files::removeStaleBackups(fs, std::chrono::system_clock::now());
    EXPECT_EQ(backups().size(), 1u);
    files::removeStaleBackups(fs, std::chrono::system_clock::now() + std::chrono::hours(24 * 13));
    EXPECT_EQ(backups().size(), 1u);
    files::removeStaleBackups(fs, std::chrono::system_clock::now() + std::chrono::hours(24 * 15));
    EXPECT_TRUE(backups().empty());

    // A crash leaves one that the next start reports, once; the next whole save removes it.
    fakes::FaultyTextFiles dying(fs, path);
    dying.faults = {{"writeAt:document", 1, fakes::FaultKind::Crash}};
    errorOf([&] { files::saveFile(dying, path, "new"); });
    ASSERT_EQ(backups().size(), 1u);
    const std::string folder = "/home/u/.cache/MORVANE集成系统/保存备份/" + backups()[0];
    const std::vector<files::InterruptedSave> found = files::findInterruptedSaves(fs);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], (files::InterruptedSave{path, folder + "/A.java"}));
    files::markReported(fs, found[0]);
    EXPECT_TRUE(files::findInterruptedSaves(fs).empty());
    fs.closedFolders.clear();
    files::saveFile(fs, "/home/u/src/Other.java", "x");
    EXPECT_EQ(backups().size(), 1u) << "another file's save leaves it";
    files::saveFile(fs, path, "whole");
    EXPECT_TRUE(backups().empty());
}

TEST_F(SaveProcedure, CopiesToldOfNeverGrowWithoutBound) {
    const std::string backupsFolder = "/home/u/.cache/MORVANE集成系统/保存备份";
    const long long now = std::chrono::duration_cast<std::chrono::seconds>(
                              std::chrono::system_clock::now().time_since_epoch())
                              .count();
    for (int i = 0; i < 40; ++i) {
        const std::string folder = backupsFolder + "/" + std::to_string(100000000000 + i) + "-x";
        fs.files[folder + "/.document-path"] = "/src/F" + std::to_string(i) + ".java";
        fs.files[folder + "/F.java"] = std::string(i == 39 ? 600u << 20 : 1000, 'x');
        fs.files[folder + "/.told"] = std::to_string(now);
    }
    // One the user was not told of yet stays whatever the count.
    fs.files[backupsFolder + "/000000000001-y/.document-path"] = "/src/G.java";
    files::removeStaleBackups(fs, std::chrono::system_clock::now());
    EXPECT_EQ(backups(), (std::vector<std::string>{"000000000001-y", "100000000039-x"}))
        << "the newest stays even when it alone is over the size limit";
    fs.files[backupsFolder + "/100000000039-x/F.java"] = "small";
    for (int i = 0; i < 40; ++i) {
        fs.files[backupsFolder + "/" + std::to_string(200000000000 + i) + "-x/.told"] =
            std::to_string(now);
    }
    files::removeStaleBackups(fs, std::chrono::system_clock::now());
    EXPECT_EQ(backups().size(), files::MostToldBackups + 1);
}

TEST_F(SaveProcedure, ReplacingAnEntryReplacesALinkItselfAndNeverWritesThroughIt) {
    fs.files["/home/u/.profile"] = "keep";
    fs.links["/home/u/src/debug.bat"] = "/home/u/.profile";
    // A replacement that fails leaves the link, its target and nothing beside them.
    const struct {
        const char* what;
        std::function<void()> arrange;
        int number;
    } failures[] = {
        {"a full disk", [&] { fs.writeFault = platform::FileFault::DiskFull; },
         ErrorNumber::DiskFull},
        {"a refused rename", [&] { fs.renameRefused.insert("/home/u/src/debug.bat"); },
         ErrorNumber::PathFileAccess},
    };
    for (const auto& failure : failures) {
        failure.arrange();
        EXPECT_EQ(errorOf([&] { files::replaceEntry(fs, "/home/u/src/debug.bat", "x"); }).number(),
                  failure.number)
            << failure.what;
        EXPECT_EQ(fs.files, (std::map<std::string, std::string>{{"/home/u/.profile", "keep"}}))
            << failure.what;
        EXPECT_EQ(fs.links.count("/home/u/src/debug.bat"), 1u) << failure.what;
        fs.writeFault.reset();
        fs.renameRefused.clear();
    }
    files::replaceEntry(fs, "/home/u/src/debug.bat", "@pause\r\n");
    EXPECT_EQ(fs.files["/home/u/.profile"], "keep");
    EXPECT_EQ(fs.files["/home/u/src/debug.bat"], "@pause\r\n");
    EXPECT_TRUE(fs.links.empty());
    // A save writes through it.
    fs.links["/home/u/src/A.java"] = "/home/u/.profile";
    files::saveFile(fs, "/home/u/src/A.java", "through");
    EXPECT_EQ(fs.files["/home/u/.profile"], "through");
    EXPECT_EQ(fs.links.count("/home/u/src/A.java"), 1u);
}

} // namespace
