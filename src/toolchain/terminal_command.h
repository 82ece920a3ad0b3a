#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace toolchain {

// A terminal program and the option after which it takes the command to run, one argument
// per word.
struct TerminalProgram {
    std::string_view name;
    std::string_view commandOption;
};

// The terminals tried, in order: the desktop's chosen one first, then the common ones.
const std::vector<TerminalProgram>& knownTerminals();

using ProgramAvailable = std::function<bool(const std::string& program)>;

// The argument vector that opens a terminal window running
//     interpreter workingDirectory scriptPath
// with the first terminal for which isOnSearchPath holds; nothing when there is none. Every
// path stays one argument of its own, so no terminal or shell splits or interprets it.
std::optional<std::vector<std::string>> terminalCommand(const ProgramAvailable& isOnSearchPath,
                                                        const std::string& interpreter,
                                                        const std::string& scriptPath,
                                                        const std::string& workingDirectory);

// Why nothing could be started, in words for the user.
std::string noTerminalMessage();
std::string interpreterMissingMessage(const std::string& interpreter);
std::string workingDirectoryMissingMessage(const std::string& directory);
std::string programNotFoundMessage(const std::string& program);
std::string startFailedMessage(const std::string& program);

} // namespace toolchain
