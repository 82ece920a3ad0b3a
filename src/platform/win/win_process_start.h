#pragma once

#include "platform/process_start.h"

#include <string>
#include <vector>

namespace platform::win {

// Starts processes with CreateProcessW from the command lines the toolchain writes. A program
// named without a folder is looked up in the system folders and on PATH, never in the current
// folder, where a document's folder could hold a program of the same name.
class WinProcessStart : public ProcessStart {
public:
    // cmd.exe of the system runs the script in a new console window.
    void startInTerminal(const std::string& scriptPath,
                         const std::string& workingDirectory) override;
    void startDetached(const std::vector<std::string>& argv) override;
};

} // namespace platform::win
