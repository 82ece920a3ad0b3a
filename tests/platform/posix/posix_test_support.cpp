// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "posix_test_support.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <string_view>
#include <unistd.h>

#include <gtest/gtest.h>

#include <sys/wait.h>

namespace posixtest {

TempFolder::TempFolder(mode_t mode) {
    std::string name = (std::filesystem::temp_directory_path() / "morvane-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr) {
        ADD_FAILURE() << "no temporary folder";
    }
    // The unprivileged user of some cases must reach the files.
    ::chmod(name.c_str(), mode);
    path_ = name;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // Folders a case locked are opened again first.
    for (auto entry = std::filesystem::recursive_directory_iterator(path_, ignored);
         entry != std::filesystem::recursive_directory_iterator(); entry.increment(ignored)) {
        if (entry->is_directory(ignored) && !entry->is_symlink(ignored)) {
            ::chmod(entry->path().c_str(), 0755);
        }
    }
    std::filesystem::remove_all(path_, ignored);
}

void writeFile(const std::string& path, const std::string& bytes, mode_t mode) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    ASSERT_EQ(::chmod(path.c_str(), mode), 0) << path;
}

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct stat statusOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
    return status;
}

std::vector<std::string> entriesOf(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

int outcomeOf(const std::function<void()>& action) {
    try {
        action();
        return 0;
    } catch (const platform::RuntimeError& error) {
        return error.number();
    }
}

int outcomeAsOrdinaryUser(const std::function<void()>& action) {
    if (::geteuid() != 0) {
        return outcomeOf(action);
    }
    const pid_t child = ::fork();
    if (child == 0) {
        if (!becomeNobody()) {
            ::_exit(250);
        }
        const int number = outcomeOf(action);
        // The exit status holds a byte: the numbers of file errors fit, 1003 is told apart.
        ::_exit(number == platform::ErrorNumber::NotAFile ? 203 : number);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return code == 203 ? platform::ErrorNumber::NotAFile : code;
}

void handToOrdinaryUser(const std::string& path) {
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), Nobody, Nobody), 0);
    }
}

namespace {
std::vector<gid_t> savedGroups;
}

ActingAsNobody::ActingAsNobody() {
    savedGroups.resize(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
    savedGroups.resize(static_cast<std::size_t>(
        ::getgroups(static_cast<int>(savedGroups.size()), savedGroups.data())));
    // Root's own groups would still let it write the files of group root.
    EXPECT_EQ(::setgroups(0, nullptr), 0);
    EXPECT_EQ(::setegid(Nobody), 0);
    EXPECT_EQ(::seteuid(Nobody), 0);
}

ActingAsNobody::~ActingAsNobody() {
    EXPECT_EQ(::seteuid(0), 0);
    EXPECT_EQ(::setegid(0), 0);
    EXPECT_EQ(::setgroups(savedGroups.size(), savedGroups.data()), 0);
}

CacheFolder::CacheFolder(const std::string& path) {
    if (const char* saved = std::getenv("XDG_CACHE_HOME")) {
        saved_ = saved;
        had_ = true;
    }
    ::setenv("XDG_CACHE_HOME", path.c_str(), 1);
}

CacheFolder::~CacheFolder() {
    if (had_) {
        ::setenv("XDG_CACHE_HOME", saved_.c_str(), 1);
    } else {
        ::unsetenv("XDG_CACHE_HOME");
    }
}

ShimmedRun runUnderShim(const std::string& shim, std::vector<std::string> arguments,
                        const std::string& cacheFolder, const std::vector<std::string>& settings) {
    std::vector<std::string> environment;
    // The child's own settings replace the inherited ones (getenv takes the first).
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string_view entry(*variable);
        if (!entry.starts_with("XDG_CACHE_HOME=") && !entry.starts_with("LD_PRELOAD=") &&
            !entry.starts_with("ASAN_OPTIONS=")) {
            environment.emplace_back(entry);
        }
    }
    environment.push_back("XDG_CACHE_HOME=" + cacheFolder);
    environment.push_back("LD_PRELOAD=" + shim);
    const char* asan = std::getenv("ASAN_OPTIONS");
    environment.push_back(std::string("ASAN_OPTIONS=") + (asan != nullptr ? asan : "") +
                          ":verify_asan_link_order=0");
    environment.insert(environment.end(), settings.begin(), settings.end());
    std::vector<char*> envp;
    for (std::string& variable : environment) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    int output[2];
    EXPECT_EQ(::pipe(output), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(output[1], STDOUT_FILENO);
        ::close(output[0]);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(output[1]);
    ShimmedRun outcome;
    char buffer[4096];
    for (ssize_t n; (n = ::read(output[0], buffer, sizeof buffer)) > 0;) {
        outcome.output.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(output[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    outcome.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

int run(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string outputOf(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return output;
    }
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) != 0;) {
        output.append(buffer, n);
    }
    ::pclose(pipe);
    return output;
}

long residentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string name;
    long kilobytes = 0;
    while (status >> name) {
        if (name == "VmRSS:") {
            status >> kilobytes;
            break;
        }
        status.ignore(1 << 12, '\n');
    }
    return kilobytes / 1024;
}

} // namespace posixtest
