#pragma once

#include "platform/menu_bar.h"

#include <map>

class QMenu;
class QMenuBar;

namespace platform::qt {

// Menus and actions named after their items, so each can be found by name as well as caption.
class QtMenuBar : public MenuBar {
public:
    explicit QtMenuBar(QMenuBar* bar) : bar_(bar) {}

    void addMenu(const std::string& name, const std::string& caption) override;
    void addItem(const std::string& menuName, const std::string& name, const std::string& caption,
                 Handler handler) override;
    void addSeparator(const std::string& menuName, const std::string& name) override;
    void addCommand(const std::string& name, const std::string& caption, Handler handler) override;

private:
    QMenu* menu(const std::string& name) const;

    QMenuBar* bar_;
    std::map<std::string, QMenu*> menus_;
};

} // namespace platform::qt
