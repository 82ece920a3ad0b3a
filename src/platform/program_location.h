// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <string>

namespace platform {

// Where the program, its settings and the user's tools live, and how the platform writes paths.
class ProgramLocation {
public:
    virtual ~ProgramLocation() = default;
    // The directory of the program's executable; it ends in a separator only at a root.
    virtual std::string programDirectory() = 0;
    // "/" on Linux, "\" on Windows.
    virtual char directorySeparator() = 0;

    // Whether a file or folder is at path.
    virtual bool exists(const std::string& path) = 0;
    // Whether files can be created in directory: no for a read-only mount or without rights.
    virtual bool canWriteIn(const std::string& directory) = 0;
    // Creates directory and its missing parents; raises RuntimeError when it cannot.
    virtual void createDirectory(const std::string& directory) = 0;
    // The user's folder for configuration files ($XDG_CONFIG_HOME, else ~/.config, on Linux);
    // empty when there is none.
    virtual std::string userConfigDirectory() = 0;
    // The full path, symbolic links resolved, of the program the search path finds for name;
    // empty when it finds none.
    virtual std::string findOnSearchPath(const std::string& name) = 0;
};

} // namespace platform
