// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform {

enum class ButtonStyle { Default = 0, Check = 1, Separator = 3 };

// One toolbar position. Buttons show only their image; image counts from 1, 0 for none.
struct ToolButtonSpec {
    std::string key;
    std::string tipText;
    int image = 0;
    ButtonStyle style = ButtonStyle::Default;
};

// An image of the toolbar's list: its index from 1, its key, and the resource it is drawn from.
struct ToolImage {
    int index = 0;
    std::string key;
    std::string resource;
};

// The toolbar along the main window's top edge, sized for 16 by 16 images.
class ToolBar {
public:
    // The clicked button's key, and its value: 1 for a check button now down, else 0.
    using ClickHandler = std::function<void(const std::string& key, int value)>;

    virtual ~ToolBar() = default;
    virtual void setImages(const std::vector<ToolImage>& images) = 0;
    virtual void addButton(const ToolButtonSpec& button) = 0;
    virtual void setClickHandler(ClickHandler handler) = 0;
};

} // namespace platform
