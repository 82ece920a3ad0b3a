// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <functional>
#include <string>

namespace platform {

// The main window's menu bar, built item by item in display order. Items have no shortcut keys.
class MenuBar {
public:
    using Handler = std::function<void()>;

    virtual ~MenuBar() = default;
    // A drop-down menu on the bar.
    virtual void addMenu(const std::string& name, const std::string& caption) = 0;
    virtual void addItem(const std::string& menuName, const std::string& name,
                         const std::string& caption, Handler handler) = 0;
    virtual void addSeparator(const std::string& menuName, const std::string& name) = 0;
    // A command placed directly on the bar.
    virtual void addCommand(const std::string& name, const std::string& caption,
                            Handler handler) = 0;
};

} // namespace platform
