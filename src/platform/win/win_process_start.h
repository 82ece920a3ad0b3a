// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/process_start.h"

#include <string>
#include <vector>

namespace platform::win {

// Starts processes with CreateProcessW, each console program in a console window of its own.
// The command line is argv[0], a blank and the request's native arguments as they stand, or
// else argv[1..] quoted the usual way. A program named without a folder is looked up in the
// system folders and on PATH, never in the current folder, where a document's folder could
// hold a program of the same name.
class WinProcessStart : public ProcessStart {
public:
    // The command line for a request, as CreateProcessW gets it.
    static std::string commandLine(const StartRequest& request);

    bool start(const StartRequest& request) override;
};

} // namespace platform::win
