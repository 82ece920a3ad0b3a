// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "console/posix_host.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <termios.h>
#include <unistd.h>

#include <sys/stat.h>
#include <sys/wait.h>

extern char** environ;

namespace console {
namespace {

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> result;
    result.reserve(strings.size() + 1);
    for (std::string& s : strings) {
        result.push_back(s.data());
    }
    result.push_back(nullptr);
    return result;
}

// While a program runs, an interrupt from the keyboard is meant for it; the script goes on
// afterwards, so its pause still shows what the program printed.
class IgnoreInterruptsWhileWaiting {
public:
    IgnoreInterruptsWhileWaiting() {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        sigaction(SIGINT, &ignore, &savedInterrupt_);
        sigaction(SIGQUIT, &ignore, &savedQuit_);
    }
    ~IgnoreInterruptsWhileWaiting() {
        sigaction(SIGINT, &savedInterrupt_, nullptr);
        sigaction(SIGQUIT, &savedQuit_, nullptr);
    }
    IgnoreInterruptsWhileWaiting(const IgnoreInterruptsWhileWaiting&) = delete;
    IgnoreInterruptsWhileWaiting& operator=(const IgnoreInterruptsWhileWaiting&) = delete;

private:
    struct sigaction savedInterrupt_ {};
    struct sigaction savedQuit_ {};
};

} // namespace

bool PosixHost::isExecutable(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

std::optional<std::string> PosixHost::readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return content;
}

RunResult PosixHost::run(const std::string& program, const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment) {
    std::vector<std::string> argumentCopy = arguments;
    std::vector<std::string> environmentCopy = environment;
    std::vector<char*> argv = pointers(argumentCopy);
    std::vector<char*> envp = pointers(environmentCopy);

    RunResult result;
    IgnoreInterruptsWhileWaiting guard;

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGQUIT);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    sigset_t noneBlocked;
    sigemptyset(&noneBlocked);
    posix_spawnattr_setsigmask(&attributes, &noneBlocked);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    pid_t child = 0;
    // posix_spawn, unlike posix_spawnp and execvp, never hands a file it cannot execute to a
    // shell.
    int error =
        ::posix_spawn(&child, program.c_str(), nullptr, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        result.reason = std::strerror(error);
        return result;
    }
    result.started = true;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            // The child was started but its end cannot be told; report a failure.
            result.status = 1;
            return result;
        }
    }
    if (WIFEXITED(status)) {
        result.status = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.status = 128 + WTERMSIG(status);
    }
    return result;
}

bool PosixHost::inputIsTerminal() {
    return ::isatty(STDIN_FILENO) == 1;
}

void PosixHost::waitForKey() {
    termios saved{};
    bool raw = ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (raw) {
        termios keyAtATime = saved;
        // Interrupt keys count as a key too, so nothing can end the program with the
        // terminal left in raw mode.
        keyAtATime.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO | ISIG | IEXTEN));
        keyAtATime.c_cc[VMIN] = 1;
        keyAtATime.c_cc[VTIME] = 0;
        raw = ::tcsetattr(STDIN_FILENO, TCSANOW, &keyAtATime) == 0;
    }
    char key = 0;
    while (::read(STDIN_FILENO, &key, 1) < 0 && errno == EINTR) {
    }
    if (raw) {
        // Drop the rest of a key that sends several bytes, so it does not reach the next
        // program.
        ::tcflush(STDIN_FILENO, TCIFLUSH);
        ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    }
}

void PosixHost::writeOutput(std::string_view bytes) {
    writeAll(STDOUT_FILENO, bytes);
}

void PosixHost::writeError(std::string_view bytes) {
    writeAll(STDERR_FILENO, bytes);
}

std::vector<std::string> processEnvironment() {
    std::vector<std::string> entries;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        entries.emplace_back(*entry);
    }
    return entries;
}

std::optional<std::string> changeDirectory(const std::string& directory) {
    if (::chdir(directory.c_str()) != 0) {
        return std::string(std::strerror(errno));
    }
    return std::nullopt;
}

std::optional<std::string> takePrivateFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat status {};
    std::optional<std::string> content;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::getuid() &&
        (status.st_mode & 077) == 0) {
        content = std::string();
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                content.reset();
            }
            if (n <= 0) {
                break;
            }
            content->append(buffer, static_cast<std::size_t>(n));
        }
        ::unlink(path.c_str());
    }
    ::close(fd);
    return content;
}

std::string thisProgramsFolder() {
    std::vector<char> buffer(4096);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) {
        return {};
    }
    std::string path(buffer.data(), static_cast<std::size_t>(length));
    return path.substr(0, path.rfind('/') + 1);
}

std::string currentDirectory(const std::string& fallback) {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20)) {
            return fallback;
        }
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data());
}

} // namespace console
