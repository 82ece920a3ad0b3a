#pragma once

#include "platform/program_location.h"

namespace platform::qt {

class QtProgramLocation : public ProgramLocation {
public:
    std::string programDirectory() override;
    char directorySeparator() override;
};

} // namespace platform::qt
