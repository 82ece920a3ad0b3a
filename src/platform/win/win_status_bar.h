// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/status_bar.h"
#include "win_api.h"

#include <functional>
#include <vector>

namespace platform::win {

// The status bar's panels as parts of a status bar control, each as wide as its twips. Text
// panels show what the program writes; the key-state panels show their label, greyed while the
// key is off; date and time keep themselves current.
class WinStatusBar : public StatusBar {
public:
    // What an owner-drawn key panel's part holds (SB_GETTEXT gives it back): the marker and,
    // in bit 0, whether the key is on.
    static constexpr LPARAM KeyPanelMarker = 0x4B00;

    // insertMode tells whether typing inserts (true) or overwrites in the active editor.
    WinStatusBar(HWND bar, std::function<bool()> insertMode);

    void addPanel(const PanelSpec& spec) override;
    void setPanelText(int index, const std::string& text) override;
    std::string panelText(int index) override;

    // Brings the key states, date and time up to date; the window calls it every second and
    // after each key.
    void refresh();
    // Places the parts again, for a new resolution.
    void placePanels();
    // Draws a key panel; false when the item is none of this bar's.
    bool drawItem(const DRAWITEMSTRUCT& item);

private:
    struct Panel {
        PanelSpec spec;
        std::string text;
        int keyState = -1; // unknown until first shown
    };
    void show(int index);

    HWND bar_;
    std::function<bool()> insertMode_;
    std::vector<Panel> panels_;
};

} // namespace platform::win
