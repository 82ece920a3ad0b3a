#pragma once

#include <string>
#include <vector>

namespace platform {

// Starting processes that run on their own: the system neither waits for them nor tracks them.
// Each call raises RuntimeError, with a message for the user, when nothing could be started.
class ProcessStart {
public:
    virtual ~ProcessStart() = default;
    // Runs the batch script in a console window that takes the focus, with workingDirectory
    // as the directory its bare file names are found in.
    virtual void startInTerminal(const std::string& scriptPath,
                                 const std::string& workingDirectory) = 0;
    // Starts argv[0] with the other entries as its arguments, each passed as it stands.
    virtual void startDetached(const std::vector<std::string>& argv) = 0;
};

} // namespace platform
