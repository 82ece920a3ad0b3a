// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/system_environment.h"

namespace platform::qt {

class QtSystemEnvironment : public SystemEnvironment {
public:
    std::optional<std::string> variable(const std::string& name) override;
    bool isOnSearchPath(const std::string& program) override;
    bool isExecutableFile(const std::string& path) override;
    bool isDirectory(const std::string& path) override;
    std::string userId() override;
    std::string homeDirectory() override;
    std::string userDocumentsDirectory() override;
};

} // namespace platform::qt
