// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/services.h"
#include "toolchain/console_launch.h"
#include "toolchain/helper_files.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace toolchain {

// Where the console helper and the console's X resources are, from the program's own folder:
// beside it in a build folder, in the helper and data folders of an installed copy.
struct ConsoleFiles {
    std::string helper;
    std::string xResources;
};
ConsoleFiles consoleFiles(const std::string& programDirectory, const FileExists& exists);

using VariableLookup = std::function<std::optional<std::string>(const std::string& name)>;

// The console look (fonts for xterm and urxvt) as application defaults: X loads them below
// the user's own resources (xrdb, ~/.Xresources), so the user's settings always win. Nothing
// when the user chose where application defaults come from.
std::vector<std::pair<std::string, std::string>>
consoleEnvironmentAdditions(const VariableLookup& variable, const std::string& xResources);

// Opens a console window that runs the script. On Linux the terminal is told only the helper
// and a token naming a private launch file. Raises RuntimeError with a message for the user
// when nothing was started.
void startConsole(platform::Services& services, const ConsoleLaunch& launch);

// Starts a program on its own, such as the browser; raises as above.
void startProgram(platform::Services& services, const std::vector<std::string>& argv);

} // namespace toolchain
