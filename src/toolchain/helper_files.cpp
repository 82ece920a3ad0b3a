// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "toolchain/helper_files.h"

#ifndef MORVANE_HELPERS_FROM_PROGRAM
#define MORVANE_HELPERS_FROM_PROGRAM "../libexec/morvane"
#endif
#ifndef MORVANE_DATA_FROM_PROGRAM
#define MORVANE_DATA_FROM_PROGRAM "../share/morvane"
#endif
#ifndef MORVANE_DATA_FROM_HELPERS
#define MORVANE_DATA_FROM_HELPERS "../../share/morvane"
#endif

namespace toolchain {

std::string installedHelperDirectory() {
    return MORVANE_HELPERS_FROM_PROGRAM;
}

std::string installedDataDirectory() {
    return MORVANE_DATA_FROM_PROGRAM;
}

std::string installedDataDirectoryFromHelpers() {
    return MORVANE_DATA_FROM_HELPERS;
}

namespace {

// path and part with one separator between them; path alone when part is empty.
std::string joined(const std::string& path, const std::string& part, char separator) {
    if (part.empty()) {
        return path;
    }
    if (path.empty() || path.back() == separator) {
        return path + part;
    }
    return path + separator + part;
}

} // namespace

std::string installedFilePath(const std::string& folder, char separator,
                              const std::string& installedDirectory, const std::string& name,
                              const FileExists& exists) {
    // The folder without its final separator, unless it is a root such as "/".
    std::string base = folder;
    if (base.size() > 1 && base.back() == separator) {
        base.pop_back();
    }
    const std::string inFolder = joined(base, name, separator);
    if (exists(inFolder)) {
        return inFolder;
    }
    std::string installed = installedDirectory;
    while (installed.starts_with("../")) {
        const std::size_t parent = base.find_last_of(separator);
        if (parent == std::string::npos || parent == 0) {
            break;
        }
        base.erase(parent);
        installed.erase(0, 3);
    }
    for (char& c : installed) {
        if (c == '/') {
            c = separator;
        }
    }
    return joined(joined(base, installed, separator), name, separator);
}

std::string helperPath(const std::string& programDirectory, char separator, const std::string& name,
                       const FileExists& exists) {
    return installedFilePath(programDirectory, separator, installedHelperDirectory(), name, exists);
}

std::string dataPath(const std::string& programDirectory, char separator, const std::string& name,
                     const FileExists& exists) {
    return installedFilePath(programDirectory, separator, installedDataDirectory(), name, exists);
}

std::string appletHostPath(const std::string& helperDirectory, const FileExists& exists) {
    return installedFilePath(helperDirectory, '/', installedDataDirectoryFromHelpers(),
                             AppletHostName, exists);
}

} // namespace toolchain
