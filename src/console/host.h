// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace console {

// How a started program ended.
struct RunResult {
    // False when the program could not be started at all; reason then says why.
    bool started = false;
    // The exit code, or 128 plus the signal number for a program ended by a signal.
    int status = 0;
    std::string reason;
};

// What the interpreter needs of the machine it runs on. Everything the interpreter decides
// stays on the far side of this interface, so it can be tried without starting anything.
class Host {
public:
    virtual ~Host() = default;

    // True when path names a regular file this process may start.
    virtual bool isExecutable(const std::string& path) = 0;
    // The whole content of a file, or nothing when it cannot be read.
    virtual std::optional<std::string> readFile(const std::string& path) = 0;
    // Starts program directly (no shell) with arguments as its argument vector, the first one
    // included, and environment as its complete set of NAME=VALUE entries; waits for it.
    virtual RunResult run(const std::string& program, const std::vector<std::string>& arguments,
                          const std::vector<std::string>& environment) = 0;
    virtual bool inputIsTerminal() = 0;
    // Blocks until one key has been pressed on the terminal.
    virtual void waitForKey() = 0;
    virtual void writeOutput(std::string_view bytes) = 0;
    virtual void writeError(std::string_view bytes) = 0;
};

} // namespace console
