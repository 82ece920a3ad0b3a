// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/program_location.h"

namespace platform::qt {

class QtProgramLocation : public ProgramLocation {
public:
    std::string programDirectory() override;
    char directorySeparator() override;
    bool exists(const std::string& path) override;
    bool canWriteIn(const std::string& directory) override;
    void createDirectory(const std::string& directory) override;
    std::string userConfigDirectory() override;
    std::string findOnSearchPath(const std::string& name) override;
};

} // namespace platform::qt
