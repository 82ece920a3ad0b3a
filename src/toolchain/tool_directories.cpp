// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "tool_directories.h"

#include "files/sequential_file.h"
#include "name_rules.h"

#include <cctype>
#include <string_view>
#include <vector>

namespace toolchain {

std::string withFinalSeparator(const std::string& directory, char separator) {
    if (!directory.empty() && directory.back() == separator) {
        return directory;
    }
    return directory + separator;
}

namespace {

// No path the system opens is longer (PATH_MAX less its NUL); a longer text names nothing.
constexpr std::size_t LongestDirectory = 4095;

bool isAbsolute(std::string_view directory, char separator) {
    if (separator != '\\') {
        return directory.starts_with(separator);
    }
    const bool drive = directory.size() >= 3 &&
                       std::isalpha(static_cast<unsigned char>(directory[0])) &&
                       directory[1] == ':' && directory[2] == '\\';
    return drive || directory.starts_with("\\\\");
}

std::string example(char separator) {
    return separator == '\\' ? "C:\\java\\bin\\" : "/usr/lib/jvm/default-java/bin/";
}

std::string askForDirectory(char separator) {
    return "请填写完整的目录（如：" + example(separator) + "）。";
}

std::string quoted(const std::string& directory) {
    return "“" + visibleText(directory) + "”";
}

// The parts a search path is read as: the console splits at ";", and the programs it starts
// read their PATH at ":" on a system whose separator is "/".
std::vector<std::string_view> searchPathParts(std::string_view directory, char separator) {
    const std::string_view listSeparators = separator == '\\' ? ";" : ";:";
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = directory.find_first_of(listSeparators, start);
        parts.push_back(directory.substr(start, end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

// What a relative or empty part of a search path means, and what to do instead.
std::string searchedInDocumentFolder(char separator) {
    return "Java工具会在文档所在的文件夹里寻找。请只填写一个完整的目录（如：" + example(separator) +
           "）。";
}

std::optional<std::string> searchPathProblem(const std::string& directory, char separator) {
    for (const std::string_view part : searchPathParts(directory, separator)) {
        if (part.empty()) {
            return quoted(directory) + "中有空的目录项，" + searchedInDocumentFolder(separator);
        }
        if (!isAbsolute(part, separator)) {
            return quoted(directory) + "中的“" + visibleText(part) + "”不是绝对目录，" +
                   searchedInDocumentFolder(separator);
        }
    }
    return std::nullopt;
}

// The console expands "%" and ends a quoted word at a quote anywhere in a line, and runs what
// follows "&" or "|" in an unquoted one, such as the search path's line.
std::optional<std::string> consoleCharacterProblem(const std::string& directory, DirectoryUse use) {
    const char* const special = use == DirectoryUse::SearchPath ? "\"%&|<>^" : "\"%";
    const std::size_t found = directory.find_first_of(special);
    if (found == std::string::npos) {
        return std::nullopt;
    }
    return quoted(directory) + "中有“" + directory[found] +
           "”，它在批处理文件中另有含义。请换一个不含“" + special + "”的目录。";
}

} // namespace

std::optional<std::string> directoryProblem(const std::string& directory, char separator,
                                            DirectoryUse use) {
    if (directory.size() > LongestDirectory) {
        return "目录太长（共" + std::to_string(directory.size()) + "字节），系统无法使用。" +
               askForDirectory(separator);
    }
    if (!isPlainText(directory)) {
        return quoted(directory) + "中有换行符等控制字符或无效的字节，不能作为目录。" +
               askForDirectory(separator);
    }
    if (!isAbsolute(directory, separator)) {
        return quoted(directory) + "不是绝对目录。" + askForDirectory(separator);
    }
    if (separator == '\\') {
        if (auto problem = consoleCharacterProblem(directory, use)) {
            return problem;
        }
    }
    if (use == DirectoryUse::SearchPath) {
        return searchPathProblem(directory, separator);
    }
    return std::nullopt;
}

bool isUsableDirectory(const std::string& directory, char separator, DirectoryUse use) {
    return !directoryProblem(directory, separator, use).has_value();
}

ToolDirectories usableDirectories(ToolDirectories directories, char separator) {
    if (!isUsableDirectory(directories.javaBinDir, separator, DirectoryUse::SearchPath)) {
        directories.javaBinDir.clear();
    }
    if (!isUsableDirectory(directories.sourceDir, separator, DirectoryUse::Folder)) {
        directories.sourceDir.clear();
    }
    return directories;
}

std::string setIniPath(const std::string& programDirectory, char separator) {
    return withFinalSeparator(programDirectory, separator) + SetIniName;
}

std::string chooseSetIniPath(platform::ProgramLocation& location, const std::string& folderName) {
    const std::string programDirectory = location.programDirectory();
    const char separator = location.directorySeparator();
    const std::string beside = setIniPath(programDirectory, separator);
    if (location.exists(beside) || location.canWriteIn(programDirectory)) {
        return beside;
    }
    const std::string configuration = location.userConfigDirectory();
    if (configuration.empty()) {
        return beside;
    }
    return setIniPath(withFinalSeparator(configuration, separator) + folderName, separator);
}

std::string folderOf(const std::string& path, char separator) {
    const auto last = path.rfind(separator);
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

std::string javacFolderOnSearchPath(platform::ProgramLocation& location) {
    const char separator = location.directorySeparator();
    const std::string compiler = location.findOnSearchPath("javac");
    const auto last = compiler.rfind(separator);
    if (last == std::string::npos) {
        return {};
    }
    return compiler.substr(0, last + 1);
}

std::string offeredSourceDirectory(platform::SystemEnvironment& environment, char separator) {
    // A home without a documents folder gets the sources beside the user's other folders
    // rather than a documents folder made only for them.
    std::string parent = environment.userDocumentsDirectory();
    if (parent.empty() || !environment.isDirectory(parent)) {
        parent = environment.homeDirectory();
    }
    if (!isUsableDirectory(parent, separator, DirectoryUse::Folder)) {
        return {};
    }
    return withFinalSeparator(parent, separator) + "java" + separator;
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
