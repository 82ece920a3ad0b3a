// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "toolchain/console_launch.h"

#include <array>

namespace toolchain {
namespace {

constexpr std::string_view Header = "MORVANE-LAUNCH 1\n";
constexpr std::size_t TokenBytes = 16;
constexpr std::string_view HexDigits = "0123456789abcdef";

} // namespace

std::string launchFolder(const std::optional<std::string>& runtimeDirectory,
                         const std::string& userId) {
    if (runtimeDirectory && !runtimeDirectory->empty() && runtimeDirectory->front() == '/' &&
        runtimeDirectory->find('\0') == std::string::npos) {
        return *runtimeDirectory;
    }
    return "/tmp/morvane-" + userId;
}

std::string launchToken(std::string_view randomBytes) {
    std::string token;
    for (std::size_t i = 0; i < TokenBytes && i < randomBytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(randomBytes[i]);
        token += HexDigits[byte >> 4];
        token += HexDigits[byte & 0x0F];
    }
    return token;
}

bool isLaunchToken(std::string_view token) {
    return token.size() == 2 * TokenBytes &&
           token.find_first_not_of(HexDigits) == std::string_view::npos;
}

std::string launchFilePath(const std::string& folder, const std::string& token) {
    std::string path = folder;
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    return path + "morvane-" + token + ".launch";
}

std::string launchFileText(const ConsoleLaunch& launch) {
    std::string text(Header);
    for (const std::string* value : {&launch.workingDirectory, &launch.scriptPath, &launch.title}) {
        text += *value;
        text += '\0';
    }
    return text;
}

std::optional<ConsoleLaunch> readLaunchFileText(std::string_view text) {
    if (!text.starts_with(Header)) {
        return std::nullopt;
    }
    text.remove_prefix(Header.size());
    std::array<std::string, 3> values;
    for (std::string& value : values) {
        const std::size_t end = text.find('\0');
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        value = std::string(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    if (!text.empty()) {
        return std::nullopt;
    }
    return ConsoleLaunch{values[0], values[1], values[2]};
}

std::string windowTitleSequence(std::string_view title) {
    std::string sequence = "\x1b]0;";
    for (std::size_t i = 0; i < title.size(); ++i) {
        const auto byte = static_cast<unsigned char>(title[i]);
        if (byte < 0x20 || byte == 0x7F) {
            continue;
        }
        // U+0080 to U+009F, the C1 controls, are C2 80 to C2 9F in UTF-8.
        if (byte == 0xC2 && i + 1 < title.size() &&
            static_cast<unsigned char>(title[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(title[i + 1]) <= 0x9F) {
            ++i;
            continue;
        }
        sequence += title[i];
    }
    sequence += '\a';
    return sequence;
}

} // namespace toolchain
