// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <optional>
#include <string>

namespace platform {

// What the program may learn of the machine it runs on, without changing anything.
class SystemEnvironment {
public:
    virtual ~SystemEnvironment() = default;
    // The environment variable, or nothing when it is not set.
    virtual std::optional<std::string> variable(const std::string& name) = 0;
    // True when program (a name, or a path) names a file on the search path that may be run.
    virtual bool isOnSearchPath(const std::string& program) = 0;
    virtual bool isExecutableFile(const std::string& path) = 0;
    virtual bool isDirectory(const std::string& path) = 0;
    // The numeric id of the user the program runs as.
    virtual std::string userId() = 0;
    // The user's home folder; empty when the platform names none.
    virtual std::string homeDirectory() = 0;
    // The user's documents folder as the desktop names it (XDG_DOCUMENTS_DIR, ~/文档 in a
    // Chinese session); it need not exist. Empty when the platform names none.
    virtual std::string userDocumentsDirectory() = 0;
};

} // namespace platform
