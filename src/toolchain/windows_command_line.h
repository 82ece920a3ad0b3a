#pragma once

#include <string>
#include <vector>

namespace toolchain {

// Windows hands a program one command line, which the program splits itself.

// The interpreter that runs the build script in its own console window.
inline constexpr const char* WindowsCommandInterpreter = "cmd.exe";

// What follows the interpreter's name: /c ""<script>"". cmd removes the outer pair of quotes
// and runs the script by its quoted path, so blanks, parentheses and "&" in the source
// directory stay part of the path.
std::string windowsScriptArguments(const std::string& scriptPath);
// The interpreter's name, a blank and its arguments.
std::string windowsScriptCommandLine(const std::string& scriptPath);

// The words as they stand, joined by one blank: {"explorer.exe", caption} gives
// "explorer.exe " + caption, unquoted, as the shell program reads it.
std::string windowsCommandLine(const std::vector<std::string>& words);

} // namespace toolchain
