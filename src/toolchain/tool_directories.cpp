#include "tool_directories.h"

#include "files/sequential_file.h"

#include <cctype>

namespace toolchain {

std::string withFinalSeparator(const std::string& directory, char separator) {
    if (!directory.empty() && directory.back() == separator) {
        return directory;
    }
    return directory + separator;
}

bool isUsableDirectory(const std::string& directory, char separator) {
    if (directory.empty() || directory.find('\0') != std::string::npos) {
        return false;
    }
    if (separator != '\\') {
        return directory.front() == separator;
    }
    const bool drive = directory.size() >= 3 &&
                       std::isalpha(static_cast<unsigned char>(directory[0])) &&
                       directory[1] == ':' && directory[2] == '\\';
    return drive || directory.starts_with("\\\\");
}

ToolDirectories usableDirectories(ToolDirectories directories, char separator) {
    for (std::string* directory : {&directories.javaBinDir, &directories.sourceDir}) {
        if (!isUsableDirectory(*directory, separator)) {
            directory->clear();
        }
    }
    return directories;
}

std::string notAbsoluteMessage(const std::string& directory, char separator) {
    const std::string example =
        separator == '\\' ? "C:\\java\\bin\\" : "/usr/lib/jvm/default-java/bin/";
    std::string shown;
    for (const char c : directory) {
        shown += c == '\0' ? ' ' : c;
    }
    return "“" + shown + "”不是绝对目录。请填写完整的目录（如：" + example + "）。";
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
    if (!isUsableDirectory(parent, separator)) {
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
