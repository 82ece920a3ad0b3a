// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/code_page.h"
#include "platform/text_files.h"

#include <string>
#include <vector>

namespace toolchain {

inline constexpr const char* BuildScriptName = "debug.bat";

// The script's place: the source directory and the name, joined as they stand.
std::string buildScriptPath(const std::string& sourceDir);

// The three lines: the tools directory as the whole search path, the tool, a pause.
std::vector<std::string> buildScriptLines(const std::string& javaBinDir,
                                          const std::string& toolLine);

// Writes the script at its path in the system code page, each line ended by CR LF, replacing
// the file whole; returns the path.
std::string writeBuildScript(platform::TextFiles& files, platform::CodePage& codePage,
                             const std::string& sourceDir, const std::string& javaBinDir,
                             const std::string& toolLine);

// A file or class name as one word of a tool line: as it stands unless something in it
// would split it or be read as more (a blank, a quote, a leading "-" or "@", or & | < > ^ %);
// then in double quotes, a quote in it doubled, and "./" before a leading "-" or "@" so no
// tool takes it for an option or for a file of options. On Windows (separator "\\") a "%" is
// doubled too: the console expands variables inside quotes, and reads "%%" as one "%".
// The name must be plain text (isPlainText): nothing here keeps a line break on its line.
std::string scriptWord(const std::string& name, char separator);

// The folder the tools find the document's bare file names in: the one its file is in.
std::string documentFolder(const std::string& caption, char separator);

// How a saved page reaches the browser: the desktop's opener and the path as one argument.
std::vector<std::string> browserCommand(const std::string& caption, char separator);

} // namespace toolchain
