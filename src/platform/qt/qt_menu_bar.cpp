// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "qt_menu_bar.h"

#include <stdexcept>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace platform::qt {

void QtMenuBar::name(QAction* action, const std::string& itemName, Handler handler) {
    action->setObjectName(QString::fromStdString(itemName));
    if (handler) {
        QObject::connect(action, &QAction::triggered, action,
                         [dispatch = dispatch_, handler = std::move(handler)] {
                             dispatchCommand(dispatch, handler);
                         });
    }
}

QMenu* QtMenuBar::menu(const std::string& name) const {
    const auto found = menus_.find(name);
    if (found == menus_.end()) {
        throw std::logic_error("no menu " + name);
    }
    return found->second;
}

void QtMenuBar::addMenu(const std::string& name, const std::string& caption) {
    QMenu* added = bar_->addMenu(QString::fromStdString(caption));
    added->setObjectName(QString::fromStdString(name));
    added->menuAction()->setObjectName(QString::fromStdString(name));
    menus_[name] = added;
}

void QtMenuBar::addItem(const std::string& menuName, const std::string& itemName,
                        const std::string& caption, Handler handler) {
    name(menu(menuName)->addAction(QString::fromStdString(caption)), itemName, std::move(handler));
}

void QtMenuBar::addSeparator(const std::string& menuName, const std::string& itemName) {
    name(menu(menuName)->addSeparator(), itemName, nullptr);
}

void QtMenuBar::addCommand(const std::string& itemName, const std::string& caption,
                           Handler handler) {
    name(bar_->addAction(QString::fromStdString(caption)), itemName, std::move(handler));
}

} // namespace platform::qt
