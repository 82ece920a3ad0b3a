// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "base_name.h"

namespace files {

std::string baseName(std::string_view caption, char separator) {
    const std::size_t lastSeparator = caption.rfind(separator);
    const std::string_view name =
        lastSeparator == std::string_view::npos ? caption : caption.substr(lastSeparator + 1);
    return std::string(name.substr(0, name.find('.')));
}

} // namespace files
