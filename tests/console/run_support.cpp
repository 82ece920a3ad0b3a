// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "run_support.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

#include <sys/stat.h>
#include <sys/wait.h>

extern char** environ;

namespace console_test {

TempDir::TempDir() {
    std::string pattern = "/tmp/morvane-console-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = std::filesystem::canonical(pattern).string();
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

void makeDirectory(const std::string& path) {
    std::filesystem::create_directories(path);
}

void makeExecutable(const std::string& path) {
    std::filesystem::permissions(path, std::filesystem::perms::owner_all |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::group_exec);
}

Running::Running(const std::vector<std::string>& argv, const std::string& directory,
                 const std::optional<std::vector<std::string>>& environment) {
    const std::string outPath = capture_ / "out";
    const std::string errPath = capture_ / "err";

    std::vector<std::string> args = argv;
    std::vector<char*> argp;
    for (std::string& a : args) {
        argp.push_back(a.data());
    }
    argp.push_back(nullptr);
    std::vector<std::string> env = environment.value_or(std::vector<std::string>{});
    std::vector<char*> envp;
    for (std::string& e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);

    pid_ = ::fork();
    if (pid_ < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid_ == 0) {
        ::setpgid(0, 0);
        int in = ::open("/dev/null", O_RDONLY);
        int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 ||
            ::dup2(err, 2) < 0) {
            ::_exit(200);
        }
        if (!directory.empty() && ::chdir(directory.c_str()) != 0) {
            ::_exit(201);
        }
        ::execve(argp[0], argp.data(), environment ? envp.data() : environ);
        ::_exit(202);
    }
    // Set here too, so the group exists before the destructor may kill it.
    ::setpgid(pid_, pid_);
}

Running::~Running() {
    if (!status_) {
        stop();
    }
}

Finished Running::stop() {
    if (!ended()) {
        ::kill(-pid_, SIGKILL);
    }
    return wait();
}

bool Running::ended() {
    if (status_) {
        return true;
    }
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        status_ = status;
    }
    return status_.has_value();
}

Finished Running::wait() {
    while (!status_) {
        int status = 0;
        pid_t waited = ::waitpid(pid_, &status, 0);
        if (waited == pid_) {
            status_ = status;
        } else if (waited < 0 && errno != EINTR) {
            throw std::runtime_error("waitpid failed");
        }
    }
    Finished finished;
    finished.exitCode = WIFEXITED(*status_) ? WEXITSTATUS(*status_) : 128 + WTERMSIG(*status_);
    finished.out = readFile(capture_ / "out");
    finished.err = readFile(capture_ / "err");
    return finished;
}

Finished run(const std::vector<std::string>& argv, const std::string& directory,
             const std::optional<std::vector<std::string>>& environment) {
    return Running(argv, directory, environment).wait();
}

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return condition();
        }
        const timespec pause{0, 20'000'000};
        ::nanosleep(&pause, nullptr);
    }
    return true;
}

std::string javaBinDir() {
    const char* path = std::getenv("PATH");
    std::string list = path ? path : "";
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(':', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        std::string candidate = list.substr(start, end - start) + "/javac";
        if (end > start && ::access(candidate.c_str(), X_OK) == 0) {
            return std::filesystem::canonical(candidate).parent_path().string() + "/";
        }
        start = end + 1;
    }
    return {};
}

std::vector<std::string> environmentWith(const std::vector<std::string>& changes) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        entries.emplace_back(*entry);
    }
    for (const std::string& change : changes) {
        const std::string name = change.substr(0, change.find('='));
        std::erase_if(entries, [&](const std::string& e) { return e.starts_with(name + "="); });
        if (change.find('=') != std::string::npos) {
            entries.push_back(change);
        }
    }
    return entries;
}

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::string text = exists(path) ? readFile(path) : "";
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

std::string interpreterPath() {
    return MORVANE_BAT;
}

Finished runScript(const std::string& workingDirectory, const std::string& scriptPath,
                   const std::optional<std::vector<std::string>>& environment) {
    return run({interpreterPath(), workingDirectory, scriptPath}, {}, environment);
}

std::vector<std::string> namesBelow(const std::string& root) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

} // namespace console_test
