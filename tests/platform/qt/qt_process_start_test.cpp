// The Qt adapter that starts the build script in a terminal window, tried with a stand-in
// terminal that runs its command the way a terminal would, without a display.

#include "platform/error.h"
#include "platform/qt/qt_process_start.h"
#include "run_support.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <thread>

#include <QCoreApplication>
#include <QString>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace console_test;
using platform::RuntimeError;
using platform::qt::QtProcessStart;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

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

class QtProcessStartTest : public ::testing::Test {
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
        const char* path = std::getenv("PATH");
        savedPath_ = path ? path : "";
        makeDirectory(bin_);
    }
    void TearDown() override { ::setenv("PATH", savedPath_.c_str(), 1); }

    // A terminal that notes its arguments, then runs the command after its option.
    void installTerminal(const std::string& name) {
        const std::string fake = bin_ + "/" + name;
        writeFile(fake, "#!/bin/sh\n"
                        "printf '%s\\n' \"$0\" \"$@\" > '" +
                            record_ +
                            ".tmp'\n"
                            "/bin/mv '" +
                            record_ + ".tmp' '" + record_ +
                            "'\n"
                            "shift\n"
                            "exec \"$@\" > '" +
                            output_ + "' 2>&1 < /dev/null\n");
        makeExecutable(fake);
    }

    void searchOnly(const std::string& directories) { ::setenv("PATH", directories.c_str(), 1); }

    TempDir temp_;
    std::string bin_ = temp_ / "bin";
    std::string record_ = temp_ / "arguments";
    std::string output_ = temp_ / "output";
    std::string savedPath_;
};

TEST_F(QtProcessStartTest, StartsTheInterpreterInTheTerminalWithEachPathAsOneArgument) {
    installTerminal("xterm");
    searchOnly(bin_);
    const std::string dir = temp_ / "src \"q\" & ; $(touch pwned) 'x'";
    makeDirectory(dir);
    const std::string script = dir + "/debug.bat";
    writeFile(script, "@echo running in $(touch pwned)\r\n@pause\r\n");

    QtProcessStart start(QString::fromStdString(interpreterPath()));
    start.startInTerminal(script, dir);

    ASSERT_TRUE(waitUntil([&] { return exists(record_); }));
    EXPECT_THAT(linesOf(readFile(record_)),
                ElementsAre(bin_ + "/xterm", "-e", interpreterPath(), dir, script));
    ASSERT_TRUE(waitUntil(
        [&] { return readFile(output_).find("请按任意键继续. . .\n") != std::string::npos; }));
    EXPECT_EQ(readFile(output_), "running in $(touch pwned)\n请按任意键继续. . .\n");
    EXPECT_FALSE(exists(dir + "/pwned"));
}

TEST_F(QtProcessStartTest, PrefersTheDesktopsDefaultTerminal) {
    installTerminal("xterm");
    installTerminal("gnome-terminal");
    installTerminal("x-terminal-emulator");
    searchOnly(bin_);
    writeFile(temp_ / "debug.bat", "@pause\r\n");

    QtProcessStart(QString::fromStdString(interpreterPath()))
        .startInTerminal(temp_ / "debug.bat", temp_.path());
    ASSERT_TRUE(waitUntil([&] { return exists(record_); }));
    EXPECT_THAT(linesOf(readFile(record_)),
                ElementsAre(bin_ + "/x-terminal-emulator", "-e", interpreterPath(), temp_.path(),
                            temp_ / "debug.bat"));
    ASSERT_TRUE(waitUntil([&] { return exists(output_); }));
}

TEST_F(QtProcessStartTest, NoTerminalIsRefusedWithWhatToInstall) {
    searchOnly(bin_);
    writeFile(temp_ / "debug.bat", "@pause\r\n");
    QtProcessStart start(QString::fromStdString(interpreterPath()));
    try {
        start.startInTerminal(temp_ / "debug.bat", temp_.path());
        FAIL() << "started without a terminal";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::ErrorNumber::FileNotFound);
        EXPECT_THAT(e.description(), HasSubstr("xterm"));
        EXPECT_THAT(e.description(), HasSubstr("安装"));
    }
}

TEST_F(QtProcessStartTest, MissingInterpreterOrWorkingDirectoryIsRefused) {
    installTerminal("xterm");
    searchOnly(bin_);
    writeFile(temp_ / "debug.bat", "@pause\r\n");
    const std::string missingBat = temp_ / "no/morvane-bat";
    try {
        QtProcessStart(QString::fromStdString(missingBat))
            .startInTerminal(temp_ / "debug.bat", temp_.path());
        FAIL() << "started without an interpreter";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::ErrorNumber::FileNotFound);
        EXPECT_THAT(e.description(), HasSubstr(missingBat));
    }
    try {
        QtProcessStart(QString::fromStdString(interpreterPath()))
            .startInTerminal(temp_ / "gone/debug.bat", temp_ / "gone");
        FAIL() << "started in a missing directory";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::ErrorNumber::PathNotFound);
        EXPECT_THAT(e.description(), HasSubstr(temp_ / "gone"));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(exists(record_)) << "no terminal was started";
}

TEST_F(QtProcessStartTest, DetachedStartPassesArgumentsUntouchedAndNamesAMissingProgram) {
    searchOnly("/usr/bin:/bin");
    const std::string odd = temp_ / "page \"q\" & ; $(touch pwned).htm";
    QtProcessStart start;
    start.startDetached({"touch", odd});
    EXPECT_TRUE(waitUntil([&] { return exists(odd); }));
    EXPECT_FALSE(exists(temp_ / "pwned"));

    try {
        start.startDetached({"no-such-program-for-morvane", odd});
        FAIL() << "reported a missing program as started";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::ErrorNumber::FileNotFound);
        EXPECT_THAT(e.description(), HasSubstr("no-such-program-for-morvane"));
    }
    writeFile(temp_ / "not-executable", "data");
    try {
        start.startDetached({temp_ / "not-executable"});
        FAIL() << "reported a program that cannot start as started";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::ErrorNumber::PathFileAccess);
    }
    EXPECT_THROW(start.startDetached({}), RuntimeError);
}

} // namespace
