// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// Starting programs through the Qt adapters, and the console start of the core on top of
// them, tried with stand-in terminals that run their command the way real terminals do,
// without a display.

#include "fake_platform.h"
#include "platform/posix/posix_private_files.h"
#include "platform/qt/qt_process_start.h"
#include "platform/qt/qt_system_environment.h"
#include "run_support.h"
#include "toolchain/console_start.h"
#include "toolchain/terminal_command.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <thread>
#include <unistd.h>

#include <QCoreApplication>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using namespace console_test;
using platform::RuntimeError;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

bool waitUntil(const std::function<bool()>& condition) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string folderOf(const std::string& path) {
    return path.substr(0, path.rfind('/'));
}

class ProcessStartTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "qt_process_start_test";
        static char* argv[] = {name, nullptr};
        if (QCoreApplication::instance() == nullptr) {
            static QCoreApplication app(argc, argv);
        }
    }

    void SetUp() override {
        for (const char* name : {"PATH", "TERMINAL", "XDG_RUNTIME_DIR", "XAPPLRESDIR"}) {
            const char* value = std::getenv(name);
            saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
        }
        makeDirectory(bin_);
        makeDirectory(runtime_);
        ::chmod(runtime_.c_str(), 0700);
        ::setenv("PATH", (bin_ + ":/usr/bin:/bin").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
        ::unsetenv("TERMINAL");
        ::unsetenv("XAPPLRESDIR");
        platform_.location.directory = folderOf(interpreterPath());
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
    }

    // A terminal that notes its arguments and environment, then runs the command after its
    // options: each word as its own argument, or, like Terminator handing a command to a
    // running instance, all words joined by blanks through sh -c.
    void installTerminal(const std::string& name, int options, bool throughShell) {
        const std::string fake = bin_ + "/" + name;
        std::string body = "#!/bin/sh\n"
                           "echo started >> '" +
                           starts_ +
                           "'\n"
                           "printf '%s\\n' \"$0\" \"$@\" \"$PWD\" \"$XAPPLRESDIR\" > '" +
                           record_ + ".tmp'\n/bin/mv '" + record_ + ".tmp' '" + record_ + "'\n";
        for (int i = 0; i < options; ++i) {
            body += "shift\n";
        }
        body += throughShell ? "exec /bin/sh -c \"$*\"" : "exec \"$@\"";
        body += " > '" + output_ + "' 2>&1 < /dev/null\n";
        writeFile(fake, body);
        makeExecutable(fake);
    }

    void startConsole(const std::string& folder, const std::string& title = "编译 A.java") {
        toolchain::startConsole(services_, {folder, folder + "/debug.bat", title});
    }

    // After starts that were refused: one that is not, waited for; had a refused one started
    // its terminal after all, the terminal would have run first and been counted too.
    void expectOnlyTheNextStartRuns() {
        ::chmod(runtime_.c_str(), 0700);
        platform_.location.directory = folderOf(interpreterPath());
        writeFile(temp_ / "debug.bat", "@pause\r\n");
        startConsole(temp_.path());
        ASSERT_TRUE(waitUntil([&] { return exists(record_); }));
        EXPECT_EQ(linesOf(readFile(starts_)), std::vector<std::string>{"started"});
    }

    TempDir temp_;
    std::string bin_ = temp_ / "bin";
    std::string runtime_ = temp_ / "run";
    std::string record_ = temp_ / "arguments";
    std::string output_ = temp_ / "output";
    std::string starts_ = temp_ / "starts";
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;

    fakes::FakePlatform platform_;
    platform::qt::QtProcessStart processes_;
    platform::qt::QtSystemEnvironment environment_;
    platform::posix::PosixPrivateFiles privateFiles_;
    platform::Services services_{platform_.messageBox,  platform_.settings, platform_.location,
                                 platform_.files,       platform_.codePage, platform_.windows,
                                 platform_.fileDialogs, processes_,         platform_.clipboard,
                                 environment_,          privateFiles_};
};

TEST_F(ProcessStartTest, StartPassesEachArgumentTheFolderAndTheAdditionsAndSaysWhenNothingRan) {
    const std::string odd = temp_ / "page \"q\" & ; $(touch pwned).htm";
    writeFile(bin_ + "/note",
              "#!/bin/sh\nprintf '%s\\n' \"$@\" \"$PWD\" \"$EXTRA\" > '" + record_ + "'\n");
    makeExecutable(bin_ + "/note");
    EXPECT_TRUE(processes_.start({{"note", odd, "-x"}, runtime_, {{"EXTRA", "a b"}}, {}}));
    ASSERT_TRUE(waitUntil([&] { return exists(record_); }));
    ASSERT_TRUE(waitUntil([&] { return linesOf(readFile(record_)).size() == 4; }));
    EXPECT_THAT(linesOf(readFile(record_)), ElementsAre(odd, "-x", runtime_, "a b"));
    EXPECT_FALSE(exists(temp_ / "pwned"));

    writeFile(temp_ / "not-executable", "data");
    EXPECT_FALSE(processes_.start({{temp_ / "not-executable"}, {}, {}, {}}));
    EXPECT_FALSE(processes_.start({{"no-such-program-for-morvane"}, {}, {}, {}}));
    EXPECT_FALSE(processes_.start({}));
}

TEST_F(ProcessStartTest, AFolderWithShellSyntaxAndBlanksRunsNothingEvenThroughAShellTerminal) {
    installTerminal("joining-terminal", 1, true);
    ::setenv("TERMINAL", "joining-terminal", 1);
    const std::string folder = temp_ / "p$(touch PWNED)q x";
    makeDirectory(folder);
    writeFile(folder + "/debug.bat", "@echo in %CD%\r\n@pause\r\n");

    startConsole(folder);
    ASSERT_TRUE(waitUntil([&] { return exists(record_); }));
    const std::vector<std::string> argv = linesOf(readFile(record_));
    ASSERT_EQ(argv.size(), 7u);
    EXPECT_EQ(argv[0], bin_ + "/joining-terminal");
    EXPECT_EQ(argv[1], "-e");
    EXPECT_EQ(argv[2], interpreterPath());
    EXPECT_EQ(argv[3], "--launch");
    EXPECT_TRUE(toolchain::isLaunchToken(argv[4]));
    EXPECT_EQ(argv[5], folder) << "the terminal starts in the folder";
    EXPECT_EQ(argv[6], folderOf(interpreterPath()) + "/x-resources/");
    ASSERT_TRUE(waitUntil(
        [&] { return readFile(output_).find("请按任意键继续. . .\n") != std::string::npos; }));
    EXPECT_EQ(readFile(output_), "in %CD%\n请按任意键继续. . .\n");
    EXPECT_THAT(namesBelow(temp_.path()), Not(Contains("PWNED")));
    EXPECT_FALSE(exists("PWNED"));
    EXPECT_THAT(namesBelow(runtime_), ElementsAre()) << "the launch file is taken once read";
}

TEST_F(ProcessStartTest, TheDesktopsTerminalWithoutARuntimeFolderUsesAPrivateOneUnderTmp) {
    installTerminal("x-terminal-emulator", 1, false);
    installTerminal("xterm", 1, false);
    ::unsetenv("XDG_RUNTIME_DIR");
    ::setenv("XAPPLRESDIR", "/home/u/mine/", 1);
    writeFile(temp_ / "debug.bat", "@pause\r\n");
    startConsole(temp_.path());
    ASSERT_TRUE(waitUntil([&] { return exists(record_); }));
    const std::vector<std::string> argv = linesOf(readFile(record_));
    ASSERT_EQ(argv.size(), 7u);
    EXPECT_EQ(argv[0], bin_ + "/x-terminal-emulator");
    EXPECT_EQ(argv[6], "/home/u/mine/") << "the user's own application defaults stand";
    ASSERT_TRUE(waitUntil([&] { return exists(output_) && !readFile(output_).empty(); }));
    EXPECT_EQ(readFile(output_), "请按任意键继续. . .\n");
    struct stat status {};
    const std::string folder = "/tmp/morvane-" + std::to_string(::getuid());
    ASSERT_EQ(::lstat(folder.c_str(), &status), 0);
    EXPECT_TRUE(S_ISDIR(status.st_mode));
    EXPECT_EQ(status.st_mode & 0777, 0700u);
}

TEST_F(ProcessStartTest, AForeignOrOpenLaunchFolderIsRefusedAndNothingStarts) {
    installTerminal("xterm", 1, false);
    ::chmod(runtime_.c_str(), 0755);
    writeFile(temp_ / "debug.bat", "@pause\r\n");
    try {
        startConsole(temp_.path());
        FAIL() << "started with a launch folder others can read";
    } catch (const RuntimeError& e) {
        EXPECT_THAT(e.description(), HasSubstr("启动文件"));
        EXPECT_THAT(e.description(), HasSubstr(runtime_));
    }
    expectOnlyTheNextStartRuns();
}

TEST_F(ProcessStartTest, MissingTerminalHelperOrFolderIsRefusedWithWhatToDo) {
    ::setenv("PATH", bin_.c_str(), 1);
    writeFile(temp_ / "debug.bat", "@pause\r\n");
    try {
        startConsole(temp_.path());
        FAIL() << "started without a terminal";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.description(), toolchain::noTerminalMessage());
    }
    installTerminal("xterm", 1, false);
    try {
        startConsole(temp_ / "gone");
        FAIL() << "started in a missing folder";
    } catch (const RuntimeError& e) {
        EXPECT_THAT(e.description(), HasSubstr(temp_ / "gone"));
    }
    platform_.location.directory = temp_ / "no";
    try {
        startConsole(temp_.path());
        FAIL() << "started without the helper";
    } catch (const RuntimeError& e) {
        EXPECT_THAT(e.description(), HasSubstr(temp_ / "libexec/morvane/morvane-bat"));
    }
    EXPECT_THAT(namesBelow(runtime_), ElementsAre());
    expectOnlyTheNextStartRuns();
}

} // namespace
