// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "win_api.h"

#include <string>

namespace platform::win {

// A window's text (a caption, a label, a one-line box's content), in UTF-8.
std::string windowText(HWND window);

} // namespace platform::win
