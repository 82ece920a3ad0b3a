// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace toolchain {

// A terminal program and the options after which it takes the command to run, one argument
// per word.
struct TerminalProgram {
    std::string_view name;
    std::vector<std::string_view> commandOptions;
};

// The terminals tried after the user's own: the desktop's chosen one, then the common ones.
const std::vector<TerminalProgram>& knownTerminals();

// The options before the command for a terminal named by name or path; "-e", which most
// terminals take, for one not known.
std::vector<std::string> commandOptionsFor(const std::string& terminal);

using ProgramAvailable = std::function<bool(const std::string& program)>;

// The argument vector that opens a terminal window running command: the user's terminal
// (chosenTerminal, from TERMINAL) when it is installed, else the first known one that is;
// nothing when there is none.
std::optional<std::vector<std::string>>
terminalCommand(const std::optional<std::string>& chosenTerminal,
                const ProgramAvailable& isOnSearchPath, const std::vector<std::string>& command);

// Why nothing could be started, in words for the user.
std::string noTerminalMessage();
std::string interpreterMissingMessage(const std::string& interpreter);
std::string workingDirectoryMissingMessage(const std::string& directory);
std::string programNotFoundMessage(const std::string& program);
std::string startFailedMessage(const std::string& program);
std::string launchFileFailedMessage(const std::string& reason);

} // namespace toolchain
