// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace toolchain {

// What a console window is to run. The workbench writes it to a launch file of the user's own
// and names that file to the terminal by an opaque token only, so no file or folder name ever
// appears on a terminal's command line, where a terminal might split it or hand it to a shell.
struct ConsoleLaunch {
    std::string workingDirectory;
    std::string scriptPath;
    // The console window's title: what runs, e.g. "编译 Hello.java".
    std::string title;
};

inline constexpr std::string_view LaunchOption = "--launch";

// The folder launch files live in: the user's runtime folder when it is set and absolute,
// otherwise a folder of the user's own under /tmp (which must be private: mode 0700, owned by
// the user, no link).
std::string launchFolder(const std::optional<std::string>& runtimeDirectory,
                         const std::string& userId);
// A token: 32 lowercase hexadecimal digits made from 16 random bytes.
std::string launchToken(std::string_view randomBytes);
bool isLaunchToken(std::string_view token);
std::string launchFilePath(const std::string& folder, const std::string& token);

// The file's content: a header line, then the three values, each ended by a NUL (no path can
// hold one).
std::string launchFileText(const ConsoleLaunch& launch);
// Nothing unless text is a whole launch file as written above.
std::optional<ConsoleLaunch> readLaunchFileText(std::string_view text);

// The terminal control sequence that sets the window title, with every control character
// (C0, DEL and the C1 range) left out so the title cannot carry a sequence of its own.
std::string windowTitleSequence(std::string_view title);

} // namespace toolchain
