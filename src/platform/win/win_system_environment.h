// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/system_environment.h"

namespace platform::win {

class WinSystemEnvironment : public SystemEnvironment {
public:
    std::optional<std::string> variable(const std::string& name) override;
    // SearchPathW's answer, with ".exe" tried for a name without an extension.
    bool isOnSearchPath(const std::string& program) override;
    bool isExecutableFile(const std::string& path) override;
    bool isDirectory(const std::string& path) override;
    // The user's security identifier, as text.
    std::string userId() override;
    // The profile folder (%USERPROFILE%).
    std::string homeDirectory() override;
    // The shell's documents folder ("文档" on a Chinese Windows).
    std::string userDocumentsDirectory() override;
};

} // namespace platform::win
