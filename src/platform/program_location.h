#pragma once

#include <string>

namespace platform {

// Where the program lives and how the platform writes paths.
class ProgramLocation {
public:
    virtual ~ProgramLocation() = default;
    // The directory of the program's executable; it ends in a separator only at a root.
    virtual std::string programDirectory() = 0;
    // "/" on Linux, "\" on Windows.
    virtual char directorySeparator() = 0;
};

} // namespace platform
