// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/error.h"

#include <filesystem>
#include <functional>
#include <grp.h>
#include <string>
#include <unistd.h>
#include <vector>

#include <sys/stat.h>
#include <sys/types.h>

// Files, folders and users for the tests of the POSIX services on the real file system.
namespace posixtest {

// The unprivileged user a root-run test gives its rights up to.
inline constexpr uid_t Nobody = 65534;

// Gives root's rights up for good, groups included, and goes on as the user nobody; false
// where that failed.
inline bool becomeNobody() {
    return ::setgroups(0, nullptr) == 0 && ::setgid(Nobody) == 0 && ::setuid(Nobody) == 0;
}

// A new folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    // Open to every user when mode says so.
    explicit TempFolder(mode_t mode = 0755);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void writeFile(const std::string& path, const std::string& bytes, mode_t mode = 0644);
std::string contentOf(const std::string& path);
struct stat statusOf(const std::string& path);
// Every name in the folder, hidden ones and FIFOs included, sorted, so that a temporary file
// left behind shows.
std::vector<std::string> entriesOf(const std::string& folder);

// The error number the action raised, 0 when it succeeded.
int outcomeOf(const std::function<void()>& action);
// Root may write into any folder and read any file, so as root the action runs in a child
// process that has given root's rights up; otherwise here.
int outcomeAsOrdinaryUser(const std::function<void()>& action);
// As root, gives the file to the user the unprivileged child runs as, so that it may write it.
void handToOrdinaryUser(const std::string& path);

// While it lives, this process acts as the user nobody (effective user and group), as a
// program another user started would; root's rights come back at its end. Only for root.
class ActingAsNobody {
public:
    ActingAsNobody();
    ~ActingAsNobody();
    ActingAsNobody(const ActingAsNobody&) = delete;
    ActingAsNobody& operator=(const ActingAsNobody&) = delete;
};

// Sets the cache folder ($XDG_CACHE_HOME) for the test's lifetime.
class CacheFolder {
public:
    explicit CacheFolder(const std::string& path);
    ~CacheFolder();
    CacheFolder(const CacheFolder&) = delete;
    CacheFolder& operator=(const CacheFolder&) = delete;

private:
    std::string saved_;
    bool had_ = false;
};

// How a program run under the write fault shim ended, and what it printed.
struct ShimmedRun {
    bool killed = false;
    int exitCode = -1;
    std::string output;
};
// Runs the program (arguments first its path) with the write fault shim preloaded, the cache
// folder given, and the fault settings (MORVANE_FAULT_…=…) besides the environment of this one.
ShimmedRun runUnderShim(const std::string& shim, std::vector<std::string> arguments,
                        const std::string& cacheFolder, const std::vector<std::string>& settings);

// The memory the system backs this process with now, in megabytes.
long residentMegabytes();

// Runs a shell command; its exit status.
int run(const std::string& command);
// What a shell command printed.
std::string outputOf(const std::string& command);

} // namespace posixtest
