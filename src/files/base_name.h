// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <string>
#include <string_view>

namespace files {

// The name of a document's file without folder and extension: what follows the last separator,
// up to its first full stop. Full stops in folder names do not count.
std::string baseName(std::string_view caption, char separator);

} // namespace files
