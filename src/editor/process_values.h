// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <string>

namespace editor {

inline constexpr const char* ApplicationTitle = "MORVANE集成系统";

// The values the whole run shares, set at start-up and by the settings dialog.
struct ProcessValues {
    std::string JavaBinDir;
    std::string SourceDir;
    std::string SetIniPath;
    std::string VersionText;
};

} // namespace editor
