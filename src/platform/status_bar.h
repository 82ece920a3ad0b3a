// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <string>

namespace platform {

// Text panels show what the program writes; the others keep themselves current.
enum class PanelStyle { Text, CapsLock, NumLock, Insert, Date, Time };

struct PanelSpec {
    PanelStyle style = PanelStyle::Text;
    int widthTwips = 0;
    std::string label; // what a key-state panel shows
};

class StatusBar {
public:
    virtual ~StatusBar() = default;
    virtual void addPanel(const PanelSpec& spec) = 0;
    // Panels are addressed from 1.
    virtual void setPanelText(int index, const std::string& text) = 0;
    virtual std::string panelText(int index) = 0;
};

} // namespace platform
