// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "posix_test_support.h"
#include "qt_program_on_disk.h"

#include <cstdlib>
#include <iostream>
#include <string_view>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include <sys/wait.h>

namespace {

using namespace posixtest;

const QString Ok = QStringLiteral("确定");

// What a program saving under the write fault shim showed, and how it ended.
struct ChildOutcome {
    bool killed = false;
    int exitCode = -1;
    std::string boxes;
};

// Runs the program of this test in a process of its own with the shim preloaded: it opens the
// document, adds a line and saves, and prints the boxes it showed.
ChildOutcome saveInAChild(const std::string& document, const std::string& cache,
                          std::vector<std::string> fault) {
    fault.push_back("MORVANE_SAVE_IN_CHILD=" + document);
    const ShimmedRun run =
        runUnderShim(WRITE_FAULT_SHIM,
                     {"/proc/self/exe", "--gtest_filter=QtProgramChild.DISABLED_SaveInAChild",
                      "--gtest_also_run_disabled_tests"},
                     cache, fault);
    ChildOutcome outcome{run.killed, run.exitCode, {}};
    for (std::size_t at = run.output.find("BOX<"); at != std::string::npos;
         at = run.output.find("BOX<", at + 1)) {
        outcome.boxes += run.output.substr(at + 4, run.output.find(">BOX", at) - at - 4);
    }
    return outcome;
}

// The program of the child process; does nothing unless started by saveInAChild.
TEST(QtProgramChild, DISABLED_SaveInAChild) {
    const char* document = std::getenv("MORVANE_SAVE_IN_CHILD");
    ASSERT_NE(document, nullptr);
    TempFolder settings;
    BoxAnswers boxes;
    boxes.add(BoxAnswers::press(Ok));
    QtProgramOnDisk program(settings.path(), std::getenv("XDG_CACHE_HOME"));
    program.open(document);
    program.typeAtEnd("// added\n");
    program.trigger("mnuFileSave");
    for (const QString& text : boxes.texts) {
        std::cout << "BOX<" << text.toStdString() << ">BOX" << std::endl;
    }
}

class QtProgramSaveFaults : public ::testing::Test {
protected:
    void SetUp() override {
        for (int line = 0; old.size() < 100000; ++line) {
            old += "// old line " + std::to_string(line) + "\n";
        }
        writeFile(document, old);
    }
    std::string backups() const { return cache.path() + "/MORVANE集成系统/保存备份"; }

    TempFolder sources;
    TempFolder cache{0777};
    std::string document = sources.file("A.java");
    std::string old;
    const std::string onDocument = "MORVANE_FAULT_PATH=" + document;
};

TEST_F(QtProgramSaveFaults, AFullDiskIsNamedInChineseAndTheFileKeepsItsContent) {
    const ChildOutcome outcome =
        saveInAChild(document, cache.path(),
                     {"MORVANE_FAULT_PATH=" + sources.path() + "/.morvane-",
                      "MORVANE_FAULT_AFTER=4096", "MORVANE_FAULT_ERRNO=28"});
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.boxes, "未知错误：无法写入文件“" + document + "”：磁盘已满错误号：61");
    EXPECT_EQ(contentOf(document), old);
    EXPECT_EQ(entriesOf(sources.path()), std::vector<std::string>{"A.java"});
}

// A file of two names is written in place: the disk fails for good, so that not even the old
// content can go back, and the message names the copy; the next start does not name it again.
TEST_F(QtProgramSaveFaults, ACopyNamedInAFailuresMessageIsNotReportedAgain) {
    ASSERT_EQ(::link(document.c_str(), sources.file("Second.java").c_str()), 0);
    const ChildOutcome outcome =
        saveInAChild(document, cache.path(), {onDocument, "MORVANE_FAULT_AFTER=4096"});
    EXPECT_EQ(outcome.exitCode, 0);
    const std::vector<std::string> kept = entriesOf(backups());
    ASSERT_EQ(kept.size(), 1u);
    const std::string copy = backups() + "/" + kept[0] + "/A.java";
    EXPECT_EQ(contentOf(copy), old);
    EXPECT_NE(outcome.boxes.find("原来的内容保存在“" + copy + "”"), std::string::npos)
        << outcome.boxes;

    BoxAnswers boxes;
    QtProgramOnDisk next(sources.path(), cache.path());
    EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join(" | ").toStdString();
}

// The program dies while it writes the file in place: the next start names the copy, once, and
// once the file is saved whole the copy goes.
TEST_F(QtProgramSaveFaults, ACrashDuringAnInPlaceSaveIsReportedOnceAtTheNextStart) {
    ASSERT_EQ(::link(document.c_str(), sources.file("Second.java").c_str()), 0);
    const ChildOutcome outcome = saveInAChild(
        document, cache.path(), {onDocument, "MORVANE_FAULT_AFTER=4096", "MORVANE_FAULT_KILL=1"});
    EXPECT_TRUE(outcome.killed);
    const std::vector<std::string> kept = entriesOf(backups());
    ASSERT_EQ(kept.size(), 1u);
    const std::string copy = backups() + "/" + kept[0] + "/A.java";
    EXPECT_EQ(contentOf(copy), old);

    {
        BoxAnswers boxes;
        boxes.add(BoxAnswers::press(Ok));
        QtProgramOnDisk next(sources.path(), cache.path());
        ASSERT_EQ(boxes.texts.size(), 1);
        EXPECT_EQ(boxes.texts[0].toStdString(),
                  "上次保存文件“" + document +
                      "”时程序意外中止，该文件可能不完整。保存前的原内容在“" + copy + "”。");
    }
    BoxAnswers boxes;
    QtProgramOnDisk again(sources.path(), cache.path());
    EXPECT_TRUE(boxes.texts.isEmpty()) << "reported once";
    EXPECT_EQ(contentOf(copy), old) << "kept while it may be needed";
    writeFile(document, old);
    again.open(document);
    again.trigger("mnuFileSave");
    EXPECT_TRUE(entriesOf(backups()).empty()) << "the file was saved whole";
}

} // namespace
