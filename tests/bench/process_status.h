// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <fstream>
#include <string>

namespace bench {

// A memory figure of a process as the kernel counts it (field "VmHWM:" for the peak, "VmRSS:"
// for what is resident), in megabytes; process is a process id or "self". 0 where there is none.
inline double statusMegabytes(const std::string& process, const char* field) {
    std::ifstream status("/proc/" + process + "/status");
    std::string name;
    while (status >> name) {
        if (name == field) {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

} // namespace bench
