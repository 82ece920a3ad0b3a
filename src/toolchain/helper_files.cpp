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
    std::string installed = installedHelperDirectory();
    for (char& c : installed) {
        if (c == '/') {
            c = separator;
        }
    }
    return withFinalSeparator(folder + installed, separator) + name;
}

} // namespace toolchain
