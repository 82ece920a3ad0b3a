// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// Real runs of the built interpreter on scripts in temporary folders.

#include "run_support.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

namespace {

using namespace console_test;
using ::testing::Contains;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;

const std::string kNotFoundTail = "' 不是内部或外部命令，也不是可运行的程序\n或批处理文件。\n";

// A folder of its own holding "say", which prints its arguments as it receives them.
struct ToolFolder {
    explicit ToolFolder(const std::string& path) : path(path) {
        makeDirectory(path);
        std::filesystem::create_symlink("/bin/echo", path + "/say");
    }
    std::string path;
};

TEST(MorvaneBat, EchoesLikeAConsoleAndRunsRemEchoAndPauseItself) {
    TempDir dir;
    writeFile(dir / "debug.bat", "@echo hello\r\nrem nothing\r\n\r\n@rem quiet\r\n"
                                 "echo.\r\npause\r\n@pause\r\n");
    Finished f = runScript(dir.path(), dir / "debug.bat");
    EXPECT_EQ(f.out, "hello\n"
                     "\n" +
                         dir.path() +
                         ">rem nothing\n"
                         "\n" +
                         dir.path() +
                         ">echo.\n\n"
                         "\n" +
                         dir.path() +
                         ">pause\n请按任意键继续. . .\n"
                         "请按任意键继续. . .\n");
    EXPECT_EQ(f.err, "");
    EXPECT_EQ(f.exitCode, 0);
}

TEST(MorvaneBat, RunsProgramsFromTheScriptsSearchPathOnlyAndWithItsPathList) {
    TempDir dir;
    ToolFolder tools(dir / "tools");
    writeFile(dir / "debug.bat", "set path=/nonexistent/;" + tools.path +
                                     "/\r\n"
                                     "say one  two\r\n"
                                     "@ls\r\n"
                                     "@env\r\n"
                                     "@say.exe three\r\n");
    Finished f = runScript(dir.path(), dir / "debug.bat");
    EXPECT_THAT(f.out, HasSubstr("\n" + dir.path() + ">say one  two\none two\n"));
    // ls and env are on the inherited path but not on the script's.
    EXPECT_EQ(f.err, "'ls" + kNotFoundTail + "'env" + kNotFoundTail);
    EXPECT_THAT(f.out, EndsWith("three\n"));
    EXPECT_EQ(f.exitCode, 0);

    writeFile(dir / "env.bat", "@set path=/nonexistent;/usr/bin/\r\n@env\r\n");
    Finished e = runScript(dir.path(), dir / "env.bat");
    // Each variable on a line of its own, wherever the environment happens to list it.
    const std::string lines = "\n" + e.out;
    EXPECT_THAT(lines, HasSubstr("\nPATH=/nonexistent:/usr/bin/\n"));
    EXPECT_THAT(lines, HasSubstr("\nLANG=C.UTF-8\n")) << "the rest is inherited";
}

TEST(MorvaneBat, ExitsWithTheLastProgramsStatus) {
    TempDir dir;
    writeFile(dir / "a.bat", "@set path=/usr/bin/;/bin/\r\n@false\r\n@pause\r\n");
    EXPECT_EQ(runScript(dir.path(), dir / "a.bat").exitCode, 1);
    writeFile(dir / "b.bat", "@set path=/usr/bin/;/bin/\r\n@false\r\n@true\r\n");
    EXPECT_EQ(runScript(dir.path(), dir / "b.bat").exitCode, 0);
    writeFile(dir / "c.bat", "@set path=/usr/bin/\r\n@no-such-tool\r\n");
    EXPECT_EQ(runScript(dir.path(), dir / "c.bat").exitCode, 127);
}

TEST(MorvaneBat, ShellCharactersInFoldersAndLinesRunNothingElse) {
    TempDir root;
    const std::string dir = root / "src \"q\" & ; $(touch pwned) `touch pwned` 'x' |y";
    makeDirectory(dir);
    // ";" would split the search path, as it does on Windows, so the tools' folder has none.
    ToolFolder tools(root / "bin \"q\" & $(touch pwned) `touch pwned` 'x' |y");
    writeFile(dir + "/$(touch pwned)", "");
    writeFile(
        dir + "/debug.bat",
        "set path=" + tools.path +
            "/\r\n"
            "say $(touch pwned) a;touch pwned & touch pwned | touch pwned `touch pwned` >x\r\n"
            "a;touch pwned\r\n"
            "$(touch pwned)\r\n"
            "@pause\r\n");
    Finished f = runScript(dir, dir + "/debug.bat");

    EXPECT_THAT(f.out, HasSubstr("\n" + dir + ">say $(touch pwned) a;touch pwned"));
    EXPECT_THAT(f.out, HasSubstr("\n$(touch pwned) a;touch pwned & touch pwned | touch pwned "
                                 "`touch pwned` >x\n"));
    EXPECT_EQ(f.err, "'a;touch" + kNotFoundTail + "'$(touch" + kNotFoundTail);
    EXPECT_THAT(namesBelow(root.path()), Not(Contains("pwned")));
    EXPECT_THAT(namesBelow(root.path()), Not(Contains("x")));
    EXPECT_FALSE(exists("pwned"));
    EXPECT_EQ(f.exitCode, 127);
}

TEST(MorvaneBat, RelativeScriptPathIsTakenFromTheWorkingDirectory) {
    TempDir dir;
    writeFile(dir / "debug.bat", "@echo found\r\n");
    Finished f = run({interpreterPath(), dir.path(), "debug.bat"}, "/");
    EXPECT_EQ(f.out, "found\n");
    EXPECT_EQ(f.exitCode, 0);
}

TEST(MorvaneBat, RefusesBadArgumentsDirectoriesAndScriptsWithAReason) {
    TempDir dir;
    Finished usage = run({interpreterPath(), dir.path()});
    EXPECT_EQ(usage.exitCode, 64);
    EXPECT_THAT(usage.err, HasSubstr("用法"));

    Finished missing = runScript(dir / "gone", dir / "debug.bat");
    EXPECT_EQ(missing.exitCode, 65);
    EXPECT_THAT(missing.err, HasSubstr("无法进入工作目录“" + dir.path() + "/gone”"));
    EXPECT_EQ(missing.out, "") << "no pause without a terminal";

    writeFile(dir / "file", "");
    EXPECT_EQ(runScript(dir / "file", dir / "debug.bat").exitCode, 65);

    Finished noScript = runScript(dir.path(), dir / "missing.bat");
    EXPECT_EQ(noScript.exitCode, 66);
    EXPECT_THAT(noScript.err, HasSubstr("无法读取批处理文件“" + dir.path() + "/missing.bat”"));
}

// --- Waiting for a key on a real terminal ---------------------------------------------------

class PseudoTerminal {
public:
    PseudoTerminal() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
            slaveName_ = ::ptsname(master_);
        }
    }
    ~PseudoTerminal() {
        if (master_ >= 0) {
            ::close(master_);
        }
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool ready() const { return !slaveName_.empty(); }
    int master() const { return master_; }
    const std::string& slaveName() const { return slaveName_; }

private:
    int master_ = -1;
    std::string slaveName_;
};

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
}

TEST(MorvaneBat, PauseOnATerminalWaitsForOneKeyInRawModeAndRestoresTheTerminal) {
    PseudoTerminal pty;
    ASSERT_TRUE(pty.ready());
    TempDir dir;
    writeFile(dir / "debug.bat", "@pause\r\n@echo after\r\n");
    const std::string outPath = dir / "out";

    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A session of its own makes the terminal the controlling one, so an interrupt key
        // would raise a signal unless the interpreter reads it as a key.
        ::setsid();
        int slave = ::open(pty.slaveName().c_str(), O_RDWR);
        int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (slave < 0 || out < 0 || ::dup2(slave, 0) < 0 || ::dup2(out, 1) < 0 ||
            ::dup2(out, 2) < 0) {
            ::_exit(200);
        }
        std::string bat = interpreterPath();
        std::string wd = dir.path();
        std::string script = dir / "debug.bat";
        char* argv[] = {bat.data(), wd.data(), script.data(), nullptr};
        ::execv(argv[0], argv);
        ::_exit(202);
    }
    int slave = ::open(pty.slaveName().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(slave, 0);

    ASSERT_TRUE(waitUntil(
        [&] { return readFile(outPath).find("请按任意键继续. . .") != std::string::npos; },
        std::chrono::seconds(10)));
    // Raw mode is set before the text is complete only by a hair; give it the moment.
    ASSERT_TRUE(waitUntil(
        [&] {
            termios mode{};
            return ::tcgetattr(slave, &mode) == 0 && (mode.c_lflag & ICANON) == 0;
        },
        std::chrono::seconds(5)))
        << "line editing is off while waiting";
    termios waiting{};
    ASSERT_EQ(::tcgetattr(slave, &waiting), 0);
    EXPECT_EQ(waiting.c_lflag & ECHO, 0u);

    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, WNOHANG), 0) << "still waiting for the key";
    EXPECT_EQ(readFile(outPath), "请按任意键继续. . .");

    // Ctrl-C: one key, no signal, and no Enter needed.
    ASSERT_EQ(::write(pty.master(), "\x03", 1), 1);
    ASSERT_TRUE(waitUntil([&] { return ::waitpid(child, &status, WNOHANG) == child; },
                          std::chrono::seconds(10)));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readFile(outPath), "请按任意键继续. . .\nafter\n");

    termios after{};
    ASSERT_EQ(::tcgetattr(slave, &after), 0);
    EXPECT_NE(after.c_lflag & ICANON, 0u);
    EXPECT_NE(after.c_lflag & ECHO, 0u);
    EXPECT_NE(after.c_lflag & ISIG, 0u);
    ::close(slave);
}

} // namespace
