// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// Preloaded into a program (LD_PRELOAD) to make writes fail the way a failing disk does.
// The environment says which files and when:
//   MORVANE_FAULT_PATH   writes to files whose path starts with this are counted
//   MORVANE_FAULT_AFTER  bytes that still reach those files; the write that would pass the mark
//                        writes up to it, and the next one fails
//   MORVANE_FAULT_ERRNO  the failure's errno (EIO when unset); or
//   MORVANE_FAULT_KILL   when set, the process is killed at the mark instead
//   MORVANE_FAULT_ONCE   when set, only the first failure happens; later writes go through

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <unistd.h>

namespace {

struct Fault {
    std::string path;
    long long after = 0;
    int error = EIO;
    bool kill = false;
    bool once = false;
};

const Fault& fault() {
    static const Fault configured = [] {
        Fault f;
        if (const char* path = std::getenv("MORVANE_FAULT_PATH")) {
            f.path = path;
        }
        if (const char* after = std::getenv("MORVANE_FAULT_AFTER")) {
            f.after = std::atoll(after);
        }
        if (const char* error = std::getenv("MORVANE_FAULT_ERRNO")) {
            f.error = std::atoi(error);
        }
        f.kill = std::getenv("MORVANE_FAULT_KILL") != nullptr;
        f.once = std::getenv("MORVANE_FAULT_ONCE") != nullptr;
        return f;
    }();
    return configured;
}

std::atomic<long long> written{0};
std::atomic<bool> spent{false};

bool counted(int fd) {
    if (fault().path.empty() || spent) {
        return false;
    }
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[4096];
    const ssize_t length = ::readlink(link, target, sizeof target - 1);
    if (length <= 0) {
        return false;
    }
    return std::string(target, static_cast<std::size_t>(length)).starts_with(fault().path);
}

// How many of count bytes may go through: all, some (a short write), or none (-1, the fault).
long long allowance(int fd, std::size_t count) {
    if (!counted(fd)) {
        return static_cast<long long>(count);
    }
    const long long left = fault().after - written;
    if (left <= 0) {
        if (fault().kill) {
            ::kill(::getpid(), SIGKILL);
        }
        if (fault().once) {
            spent = true;
        }
        errno = fault().error;
        return -1;
    }
    const long long allowed = std::min<long long>(left, static_cast<long long>(count));
    written += allowed;
    return allowed;
}

template <typename Function> Function next(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

ssize_t write(int fd, const void* buffer, std::size_t count) {
    static const auto real = next<ssize_t (*)(int, const void*, std::size_t)>("write");
    const long long allowed = allowance(fd, count);
    return allowed < 0 ? -1 : real(fd, buffer, static_cast<std::size_t>(allowed));
}

ssize_t pwrite(int fd, const void* buffer, std::size_t count, off_t offset) {
    static const auto real = next<ssize_t (*)(int, const void*, std::size_t, off_t)>("pwrite");
    const long long allowed = allowance(fd, count);
    return allowed < 0 ? -1 : real(fd, buffer, static_cast<std::size_t>(allowed), offset);
}

ssize_t pwrite64(int fd, const void* buffer, std::size_t count, off_t offset) {
    static const auto real = next<ssize_t (*)(int, const void*, std::size_t, off_t)>("pwrite64");
    const long long allowed = allowance(fd, count);
    return allowed < 0 ? -1 : real(fd, buffer, static_cast<std::size_t>(allowed), offset);
}
}
