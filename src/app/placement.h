// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <optional>
#include <string>

namespace app {

// A stored placement value: decimal text of a single-precision number of twips. Text that is
// not a finite number gives nothing, so a damaged store cannot move the window anywhere odd.
std::optional<float> parsePlacement(const std::string& text);
std::string formatPlacement(float twips);

} // namespace app
