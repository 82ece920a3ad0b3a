// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/code_page.h"
#include "platform/program_location.h"
#include "platform/system_environment.h"
#include "platform/text_files.h"

#include <optional>
#include <string>

namespace toolchain {

// The two tool directories; empty means not set.
struct ToolDirectories {
    std::string javaBinDir;
    std::string sourceDir;
};

inline constexpr const char* SetIniName = "Set.ini";

// The settings file beside the program: one separator between directory and name, none extra.
std::string setIniPath(const std::string& programDirectory, char separator);

// Where Set.ini is kept: beside the program when it is there already or the program's folder
// can be written (as in a build folder); otherwise, as for a copy installed in a read-only
// folder, in the folder named folderName in the user's configuration folder.
std::string chooseSetIniPath(platform::ProgramLocation& location, const std::string& folderName);

// The folder part of path, without its final separator; empty when path has none.
std::string folderOf(const std::string& path, char separator);

// The folder of the Java compiler the search path finds, links resolved, with the final
// separator: the tools directory a first start offers. Empty when there is none.
std::string javacFolderOnSearchPath(platform::ProgramLocation& location);

// The source directory a first start offers, with the final separator: "java" in the user's
// documents folder when it exists, else in the home folder. Empty when there is neither.
std::string offeredSourceDirectory(platform::SystemEnvironment& environment, char separator);

// Line 1 the tools directory, line 2 the source directory; a value that is missing stays
// empty. Raises the platform's error when the file cannot be read.
ToolDirectories readSetIni(platform::TextFiles& files, platform::CodePage& codePage,
                           const std::string& path);

// Two lines, each as held and ended by CR LF, in the system code page.
void writeSetIni(platform::TextFiles& files, platform::CodePage& codePage, const std::string& path,
                 const ToolDirectories& directories);

// What a directory is used for: the folder the script is written to, or the tools directory,
// which the script makes its whole search path.
enum class DirectoryUse { Folder, SearchPath };

// Why a directory cannot serve, as the settings dialog says it; nothing when it can. A usable
// directory is absolute ("/..." here, "C:\..." or "\\server\..." on Windows), no longer than
// any path the system opens, plain text (a line break would end the script's line, a NUL the
// path) and, on Windows, free of what the console reads as variables or commands. As a search
// path, every part between list separators (";", and ":" here too, as programs read PATH) must
// be absolute: an empty or relative part would make the tools be looked for in the folder the
// script runs in, which is the document's.
std::optional<std::string> directoryProblem(const std::string& directory, char separator,
                                            DirectoryUse use);
bool isUsableDirectory(const std::string& directory, char separator, DirectoryUse use);
// The directories with every one that is not usable counted as not set (empty).
ToolDirectories usableDirectories(ToolDirectories directories, char separator);

// Appends the separator unless the text already ends in it.
std::string withFinalSeparator(const std::string& directory, char separator);

} // namespace toolchain
