#include "toolchain/helper_files.h"

#include "toolchain/tool_directories.h"

#ifndef MORVANE_HELPERS_FROM_PROGRAM
#define MORVANE_HELPERS_FROM_PROGRAM "../libexec/morvane"
#endif

namespace toolchain {

std::string installedHelperDirectory() {
    return MORVANE_HELPERS_FROM_PROGRAM;
}

std::string helperPath(const std::string& programDirectory, char separator, const std::string& name,
                       const FileExists& exists) {
    const std::string folder = withFinalSeparator(programDirectory, separator);
    const std::string beside = folder + name;
    if (exists(beside)) {
        return beside;
    }
    // The installed directory is relative to the program's folder; its leading ".." steps are
    // taken here so that a message names a plain path.
    std::string base = folder.substr(0, folder.size() - 1);
    std::string installed = installedHelperDirectory();
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
    return withFinalSeparator(base + separator + installed, separator) + name;
}

} // namespace toolchain
