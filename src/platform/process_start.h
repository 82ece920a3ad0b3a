// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <string>
#include <utility>
#include <vector>

namespace platform {

// A program to start: its argument vector, the folder it starts in and what it gets in its
// environment beyond this process's own.
struct StartRequest {
    std::vector<std::string> argv;
    // Empty: this process's current folder.
    std::string workingDirectory;
    std::vector<std::pair<std::string, std::string>> environmentAdditions;
    // Windows only: the command line after argv[0] exactly as given, for programs such as
    // cmd.exe that read it whole; empty means argv[1..] quoted the usual way.
    std::string nativeArguments;
};

// Starting processes that run on their own: the system neither waits for them nor tracks them.
class ProcessStart {
public:
    virtual ~ProcessStart() = default;
    // Starts argv[0] (a path, or a name looked up on the search path) with the other entries
    // as its arguments, each passed as it stands, no shell between; false when nothing started.
    virtual bool start(const StartRequest& request) = 0;
};

} // namespace platform
