// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <cmath>

namespace platform {

// Window measures are kept in twips, 1440 to the inch, whatever the screen's resolution.
inline constexpr double TwipsPerInch = 1440.0;

inline int twipsToPixels(double twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / TwipsPerInch));
}

inline double pixelsToTwips(int pixels, double dotsPerInch) {
    return pixels * TwipsPerInch / dotsPerInch;
}

} // namespace platform
