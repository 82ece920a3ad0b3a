#pragma once

#include "platform/program_location.h"

#include <string>
#include <string_view>

namespace platform::win {

class WinProgramLocation : public ProgramLocation {
public:
    // The folder part of an executable's full path: a drive root keeps its one "\"
    // (C:\morvane.exe gives C:\), any other folder has none at its end.
    static std::wstring folderOfExecutable(std::wstring_view executable);

    // From GetModuleFileNameW of the running program.
    std::string programDirectory() override;
    char directorySeparator() override { return '\\'; }
};

} // namespace platform::win
