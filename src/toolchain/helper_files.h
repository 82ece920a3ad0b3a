// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <functional>
#include <string>

namespace toolchain {

// Where an installed copy keeps the helper files (the console's batch interpreter and its
// resources), relative to the program's own directory; set by the build to match the install.
std::string installedHelperDirectory();
// Where an installed copy keeps the files that are the same on every architecture (the
// console's X resources, the applet host), relative to the program's own directory and to the
// helper directory; set by the build to match the install.
std::string installedDataDirectory();
std::string installedDataDirectoryFromHelpers();

inline constexpr const char* AppletHostName = "morvane-applet-host.jar";

using FileExists = std::function<bool(const std::string& path)>;

// The path of file name: in folder when it is there, as in the build folder; else in the
// folder installedDirectory names relative to folder, its leading ".." steps taken so that a
// message names a plain path.
std::string installedFilePath(const std::string& folder, char separator,
                              const std::string& installedDirectory, const std::string& name,
                              const FileExists& exists);

// A helper file beside the program, else in the installed helper directory.
std::string helperPath(const std::string& programDirectory, char separator, const std::string& name,
                       const FileExists& exists);

// A data file beside the program, else in the installed data directory.
std::string dataPath(const std::string& programDirectory, char separator, const std::string& name,
                     const FileExists& exists);

// The applet host beside the batch interpreter, else in the installed data directory.
std::string appletHostPath(const std::string& helperDirectory, const FileExists& exists);

} // namespace toolchain
