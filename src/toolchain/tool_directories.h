#pragma once

#include "platform/code_page.h"
#include "platform/text_files.h"

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

// Line 1 the tools directory, line 2 the source directory; a value that is missing stays
// empty. Raises the platform's error when the file cannot be read.
ToolDirectories readSetIni(platform::TextFiles& files, platform::CodePage& codePage,
                           const std::string& path);

// Two lines, each as held and ended by CR LF, in the system code page.
void writeSetIni(platform::TextFiles& files, platform::CodePage& codePage, const std::string& path,
                 const ToolDirectories& directories);

// A directory the tools can be found in and the script written to: absolute ("/..." here,
// "C:\..." or "\\server\..." on Windows) and without a NUL, which would cut the path short.
bool isUsableDirectory(const std::string& directory, char separator);
// The directories with every one that is not usable counted as not set (empty).
ToolDirectories usableDirectories(ToolDirectories directories, char separator);
// Why the settings dialog refuses a directory that is not usable.
std::string notAbsoluteMessage(const std::string& directory, char separator);

// Appends the separator unless the text already ends in it.
std::string withFinalSeparator(const std::string& directory, char separator);

} // namespace toolchain
