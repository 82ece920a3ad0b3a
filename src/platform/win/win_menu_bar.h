// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/menu_bar.h"
#include "win_api.h"

#include <map>
#include <vector>

namespace platform::win {

// The main window's menu bar: drop-down menus and commands on the bar itself, each item a
// command number the window hands back through run().
class WinMenuBar : public MenuBar {
public:
    // Command numbers of the items; below the document windows' and the toolbar's.
    static constexpr int FirstCommand = 1000;

    WinMenuBar();
    ~WinMenuBar() override;
    WinMenuBar(const WinMenuBar&) = delete;
    WinMenuBar& operator=(const WinMenuBar&) = delete;

    HMENU handle() const { return bar_; }

    void addMenu(const std::string& name, const std::string& caption) override;
    void addItem(const std::string& menuName, const std::string& name, const std::string& caption,
                 Handler handler) override;
    void addSeparator(const std::string& menuName, const std::string& name) override;
    void addCommand(const std::string& name, const std::string& caption, Handler handler) override;

    // Runs the item's handler; false when the number is no item's.
    bool run(int command);

private:
    HMENU menu(const std::string& name) const;
    int addHandler(Handler handler);

    HMENU bar_;
    std::map<std::string, HMENU> menus_;
    std::vector<Handler> handlers_;
};

} // namespace platform::win
