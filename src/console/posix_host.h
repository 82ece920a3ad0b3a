// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "console/host.h"

#include <string>
#include <vector>

namespace console {

// The interpreter's machine on a POSIX system: programs are started with posix_spawn, never
// through a shell, and a key is read from the terminal in raw mode.
class PosixHost : public Host {
public:
    bool isExecutable(const std::string& path) override;
    std::optional<std::string> readFile(const std::string& path) override;
    RunResult run(const std::string& program, const std::vector<std::string>& arguments,
                  const std::vector<std::string>& environment) override;
    bool inputIsTerminal() override;
    void waitForKey() override;
    void writeOutput(std::string_view bytes) override;
    void writeError(std::string_view bytes) override;
};

// The NAME=VALUE entries of this process's environment.
std::vector<std::string> processEnvironment();

// Makes directory the current one; on failure the reason, otherwise nothing.
std::optional<std::string> changeDirectory(const std::string& directory);
// The content of a file only this user may have written (a regular file of the user's own,
// closed to others, not a link), removed once read; nothing when it is not such a file.
std::optional<std::string> takePrivateFile(const std::string& path);
// The folder this program's executable is in; empty when the system does not say.
std::string thisProgramsFolder();

// The current directory as the system spells it, or fallback when it cannot be told.
std::string currentDirectory(const std::string& fallback);

} // namespace console
