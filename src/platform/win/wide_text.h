// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <string>
#include <string_view>

namespace platform::win {

// The program's texts are UTF-8; the Win32 calls take UTF-16. Both directions raise
// RuntimeError for sequences that are not well-formed instead of substituting characters.
std::wstring wideText(std::string_view utf8);
std::string utf8Text(std::wstring_view wide);

} // namespace platform::win
