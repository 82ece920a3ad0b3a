// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/menu_bar.h"
#include "qt_command_dispatch.h"

#include <map>

class QAction;
class QMenu;
class QMenuBar;

namespace platform::qt {

// Menus and actions named after their items, so each can be found by name as well as caption.
class QtMenuBar : public MenuBar {
public:
    explicit QtMenuBar(QMenuBar* bar, CommandDispatch dispatch = {})
        : bar_(bar), dispatch_(std::move(dispatch)) {}

    void addMenu(const std::string& name, const std::string& caption) override;
    void addItem(const std::string& menuName, const std::string& name, const std::string& caption,
                 Handler handler) override;
    void addSeparator(const std::string& menuName, const std::string& name) override;
    void addCommand(const std::string& name, const std::string& caption, Handler handler) override;

private:
    QMenu* menu(const std::string& name) const;
    void name(QAction* action, const std::string& itemName, Handler handler);

    QMenuBar* bar_;
    CommandDispatch dispatch_;
    std::map<std::string, QMenu*> menus_;
};

} // namespace platform::qt
