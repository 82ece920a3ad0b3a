// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace console_test {

// A fresh directory under /tmp, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The directory's canonical path, without a final separator.
    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);
bool exists(const std::string& path);
void makeDirectory(const std::string& path);
void makeExecutable(const std::string& path);

struct Finished {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// argv[0] run directly with the arguments, standard input from /dev/null, in directory (the
// test's own when empty), with environment when given, in a process group of its own that is
// killed if the test leaves it running.
class Running {
public:
    Running(const std::vector<std::string>& argv, const std::string& directory = {},
            const std::optional<std::vector<std::string>>& environment = std::nullopt);
    ~Running();
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

    // True once the program has ended; never waits.
    bool ended();
    // Waits for the program to end.
    Finished wait();
    // Kills the program's group and tells what it wrote until then.
    Finished stop();

private:
    TempDir capture_;
    int pid_ = -1;
    std::optional<int> status_;
};

// Runs argv as Running does and waits for it.
Finished run(const std::vector<std::string>& argv, const std::string& directory = {},
             const std::optional<std::vector<std::string>>& environment = std::nullopt);

// Asks condition again and again until it holds or timeout has passed; its last answer.
bool eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds timeout = std::chrono::seconds(60));

// The JDK's own bin directory, with a final separator, as the settings dialog keeps it; empty
// when no javac is on the search path.
std::string javaBinDir();
// This process's environment with the changes: NAME=VALUE sets, NAME alone removes.
std::vector<std::string> environmentWith(const std::vector<std::string>& changes);
// The lines of a text file, each without its line end; none when it does not exist.
std::vector<std::string> readLines(const std::string& path);

// The morvane-bat of this build.
std::string interpreterPath();
// morvane-bat on script in workingDirectory.
Finished runScript(const std::string& workingDirectory, const std::string& scriptPath,
                   const std::optional<std::vector<std::string>>& environment = std::nullopt);

// Every file and directory name below root, at any depth.
std::vector<std::string> namesBelow(const std::string& root);

} // namespace console_test
