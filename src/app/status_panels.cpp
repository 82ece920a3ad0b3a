// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "frm_main.h"
#include "platform/status_bar.h"

namespace app {

// Version, caret line and column, then the panels the bar keeps current by itself.
void frmMain::createStatusBar() {
    using platform::PanelStyle;
    auto& bar = view_->statusBar();
    bar.addPanel({PanelStyle::Text, 1440, ""});
    bar.addPanel({PanelStyle::Text, 1440, ""});
    bar.addPanel({PanelStyle::Text, 1440, ""});
    bar.addPanel({PanelStyle::CapsLock, 600, "CAPS"});
    bar.addPanel({PanelStyle::NumLock, 500, "NUM"});
    bar.addPanel({PanelStyle::Insert, 500, "Ins"});
    bar.addPanel({PanelStyle::Date, 1440, ""});
    bar.addPanel({PanelStyle::Time, 1440, ""});
}

} // namespace app
