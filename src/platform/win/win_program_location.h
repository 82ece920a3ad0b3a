// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

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

    bool exists(const std::string& path) override;
    // Tried for real: a file that the system deletes on closing is created in directory.
    bool canWriteIn(const std::string& directory) override;
    void createDirectory(const std::string& directory) override;
    // The roaming application data folder (%APPDATA%).
    std::string userConfigDirectory() override;
    // SearchPathW's answer, as the final path of the file it names.
    std::string findOnSearchPath(const std::string& name) override;
};

} // namespace platform::win
