// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <string>
#include <vector>

namespace platform {

// A control's place in its window, in twips, with the caption it shows (if any).
struct ControlBox {
    std::string name;
    std::string caption;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    // Empty and 0: the window's own font.
    std::string fontName;
    double fontSize = 0;
};

// A fixed-size window: its caption, client area and controls, listed in tab order.
struct FormLayout {
    std::string caption;
    int clientWidth = 0;
    int clientHeight = 0;
    std::vector<ControlBox> controls;
};

} // namespace platform
