// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/tool_bar.h"
#include "qt_command_dispatch.h"

#include <map>

#include <QIcon>

class QToolBar;

namespace platform::qt {

// Makes the program's images (the toolbar's, the window icon) reachable as ":/toolbar/…";
// once is enough, more does no harm.
void registerImages();

// Icon-only buttons, each reached through its key: the key is the button's accessible name.
class QtToolBar : public ToolBar {
public:
    explicit QtToolBar(QToolBar* bar, CommandDispatch dispatch = {});

    void setImages(const std::vector<ToolImage>& images) override;
    void addButton(const ToolButtonSpec& button) override;
    void setClickHandler(ClickHandler handler) override { click_ = std::move(handler); }

private:
    QToolBar* bar_;
    std::map<int, QIcon> images_;
    ClickHandler click_;
    CommandDispatch dispatch_;
};

} // namespace platform::qt
