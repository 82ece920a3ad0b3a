#pragma once

#include <functional>
#include <string>

namespace toolchain {

// Where an installed copy keeps the helper files (the console's batch interpreter and its
// resources), relative to the program's own directory; set by the build to match the install.
std::string installedHelperDirectory();

using FileExists = std::function<bool(const std::string& path)>;

// The path of the helper file name: beside the program, as in the build folder, when it is
// there; else in the installed helper directory.
std::string helperPath(const std::string& programDirectory, char separator, const std::string& name,
                       const FileExists& exists);

} // namespace toolchain
