// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/tool_bar.h"
#include "win_api.h"

#include <commctrl.h>
#include <string>
#include <vector>

namespace platform::win {

// Icon-only buttons on a toolbar control, each a command number the window hands back through
// click(). Tips come from the buttons' tip texts; a button without one shows none.
class WinToolBar : public ToolBar {
public:
    // Command numbers of the buttons, by position.
    static constexpr int FirstCommand = 2000;

    WinToolBar(HWND bar, HINSTANCE instance);
    ~WinToolBar() override;
    WinToolBar(const WinToolBar&) = delete;
    WinToolBar& operator=(const WinToolBar&) = delete;

    // The images are icons in the program's resources, named after the image's file.
    void setImages(const std::vector<ToolImage>& images) override;
    void addButton(const ToolButtonSpec& button) override;
    void setClickHandler(ClickHandler handler) override { click_ = std::move(handler); }

    // A button was pressed; false when the number is no button's.
    bool click(int command);
    // The tip of the button with that command number, empty for none.
    const std::wstring& tipOf(int command) const;
    // Loads the images again at the window's resolution.
    void reloadImages();

private:
    HWND bar_;
    HINSTANCE instance_;
    HIMAGELIST images_ = nullptr;
    // The icon resource of each image, by position; empty where the table has none.
    std::vector<std::wstring> resources_;
    std::vector<std::string> keys_;
    std::vector<std::wstring> tips_;
    ClickHandler click_;
};

} // namespace platform::win
