#include "tool_directories.h"

#include "files/sequential_file.h"

namespace toolchain {

std::string withFinalSeparator(const std::string& directory, char separator) {
    if (!directory.empty() && directory.back() == separator) {
        return directory;
    }
    return directory + separator;
}

std::string setIniPath(const std::string& programDirectory, char separator) {
    return withFinalSeparator(programDirectory, separator) + SetIniName;
}

ToolDirectories readSetIni(platform::TextFiles& files, platform::CodePage& codePage,
                           const std::string& path) {
    files::SequentialInput input(files, codePage, path);
    ToolDirectories directories;
    if (!input.atEnd()) {
        directories.javaBinDir = input.readField();
        if (!input.atEnd()) {
            directories.sourceDir = input.readField();
        }
    }
    return directories;
}

void writeSetIni(platform::TextFiles& files, platform::CodePage& codePage, const std::string& path,
                 const ToolDirectories& directories) {
    files::SequentialOutput output(files, codePage, path);
    output.writeLine(directories.javaBinDir);
    output.writeLine(directories.sourceDir);
    output.close();
}

} // namespace toolchain
