// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "build_script.h"

#include "files/sequential_file.h"

namespace toolchain {

std::string buildScriptPath(const std::string& sourceDir) {
    return sourceDir + BuildScriptName;
}

std::vector<std::string> buildScriptLines(const std::string& javaBinDir,
                                          const std::string& toolLine) {
    return {"set path=" + javaBinDir, toolLine, "@pause"};
}

std::string writeBuildScript(platform::TextFiles& files, platform::CodePage& codePage,
                             const std::string& sourceDir, const std::string& javaBinDir,
                             const std::string& toolLine) {
    const std::string path = buildScriptPath(sourceDir);
    files::SequentialOutput script(files, codePage, path);
    for (const std::string& line : buildScriptLines(javaBinDir, toolLine)) {
        script.writeLine(line);
    }
    // A link in the script's place is replaced, so the script cannot land in the link's target.
    script.closeAsNewEntry();
    return path;
}

std::string scriptWord(const std::string& name, char separator) {
    const bool readAsOption = name.starts_with('-') || name.starts_with('@');
    const bool plain =
        !name.empty() && !readAsOption && name.find_first_of(" \t\"&|<>^%") == std::string::npos;
    if (plain) {
        return name;
    }
    std::string word = "\"";
    if (readAsOption) {
        word += "./";
    }
    for (const char c : name) {
        word += c;
        if (c == '"' || (c == '%' && separator == '\\')) {
            word += c;
        }
    }
    return word + "\"";
}

std::string documentFolder(const std::string& caption, char separator) {
    const std::size_t last = caption.rfind(separator);
    if (last == std::string::npos) {
        return {};
    }
    // A file at the root keeps the root's own separator.
    return caption.substr(0, last == 0 ? 1 : last);
}

std::vector<std::string> browserCommand(const std::string& caption, char separator) {
    // Backslash paths are Windows paths, where the shell program hands pages to the browser.
    if (separator == '\\') {
        return {"explorer.exe", caption};
    }
    return {"xdg-open", caption};
}

} // namespace toolchain
