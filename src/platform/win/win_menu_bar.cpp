// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_menu_bar.h"

#include "platform/win/wide_text.h"

#include <stdexcept>

namespace platform::win {

WinMenuBar::WinMenuBar() : bar_(CreateMenu()) {}

WinMenuBar::~WinMenuBar() {
    // A window destroys its menu with itself; a menu never attached is destroyed here.
    if (IsMenu(bar_)) {
        DestroyMenu(bar_);
    }
}

HMENU WinMenuBar::menu(const std::string& name) const {
    const auto found = menus_.find(name);
    if (found == menus_.end()) {
        throw std::logic_error("no menu " + name);
    }
    return found->second;
}

int WinMenuBar::addHandler(Handler handler) {
    handlers_.push_back(std::move(handler));
    return FirstCommand + static_cast<int>(handlers_.size()) - 1;
}

void WinMenuBar::addMenu(const std::string& name, const std::string& caption) {
    const HMENU dropDown = CreatePopupMenu();
    AppendMenuW(bar_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(dropDown),
                wideText(caption).c_str());
    menus_[name] = dropDown;
}

void WinMenuBar::addItem(const std::string& menuName, const std::string&,
                         const std::string& caption, Handler handler) {
    const int command = addHandler(std::move(handler));
    AppendMenuW(menu(menuName), MF_STRING, static_cast<UINT_PTR>(command),
                wideText(caption).c_str());
}

void WinMenuBar::addSeparator(const std::string& menuName, const std::string&) {
    AppendMenuW(menu(menuName), MF_SEPARATOR, 0, nullptr);
}

void WinMenuBar::addCommand(const std::string&, const std::string& caption, Handler handler) {
    const int command = addHandler(std::move(handler));
    AppendMenuW(bar_, MF_STRING, static_cast<UINT_PTR>(command), wideText(caption).c_str());
}

bool WinMenuBar::run(int command) {
    const int index = command - FirstCommand;
    if (index < 0 || index >= static_cast<int>(handlers_.size())) {
        return false;
    }
    // A copy: the handler may outlive a change of the list made while it runs.
    const Handler handler = handlers_[static_cast<std::size_t>(index)];
    if (handler) {
        handler();
    }
    return true;
}

} // namespace platform::win
