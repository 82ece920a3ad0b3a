// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_tool_bar.h"

#include "platform/win/wide_text.h"
#include "win_dpi.h"

#include <algorithm>
#include <cctype>
#include <commctrl.h>

namespace platform::win {

namespace {

// A button of 609 by 582 hundredths of a millimetre: 23 by 22 pixels at 96 dots per inch.
constexpr double ButtonWidthTwips = 345;
constexpr double ButtonHeightTwips = 330;
constexpr double ImageTwips = 240;

// The icon resource of an image (":/toolbar/01-new.svg" is TOOLBAR_01_NEW).
std::wstring resourceName(const std::string& image) {
    std::string stem = image.substr(image.find_last_of('/') + 1);
    stem = stem.substr(0, stem.find('.'));
    std::string name = "TOOLBAR_";
    for (const char c : stem) {
        name += c == '-' ? '_' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return wideText(name);
}

} // namespace

WinToolBar::WinToolBar(HWND bar, HINSTANCE instance) : bar_(bar), instance_(instance) {
    SendMessageW(bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
}

WinToolBar::~WinToolBar() {
    if (images_ != nullptr) {
        ImageList_Destroy(images_);
    }
}

void WinToolBar::setImages(const std::vector<ToolImage>& images) {
    resources_.clear();
    for (const ToolImage& image : images) {
        if (image.index > 0) {
            const auto place = static_cast<std::size_t>(image.index - 1);
            resources_.resize(std::max(resources_.size(), place + 1));
            resources_[place] = resourceName(image.resource);
        }
    }
    reloadImages();
}

void WinToolBar::reloadImages() {
    const int size = pixelsOf(ImageTwips, bar_);
    const HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 18, 0);
    // Image n of the table sits at n - 1; a missing icon leaves its place empty.
    for (const std::wstring& resource : resources_) {
        const auto icon =
            resource.empty()
                ? nullptr
                : static_cast<HICON>(LoadImageW(instance_, resource.c_str(), IMAGE_ICON, size, size,
                                                LR_DEFAULTCOLOR));
        if (icon != nullptr) {
            ImageList_AddIcon(list, icon);
            DestroyIcon(icon);
        } else {
            ImageList_AddIcon(list, LoadIconW(nullptr, IDI_APPLICATION));
        }
    }
    SendMessageW(bar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
    SendMessageW(bar_, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(pixelsOf(ButtonWidthTwips, bar_), pixelsOf(ButtonHeightTwips, bar_)));
    SendMessageW(bar_, TB_AUTOSIZE, 0, 0);
    if (images_ != nullptr) {
        ImageList_Destroy(images_);
    }
    images_ = list;
}

void WinToolBar::addButton(const ToolButtonSpec& button) {
    const int command = FirstCommand + static_cast<int>(keys_.size());
    keys_.push_back(button.key);
    tips_.push_back(wideText(button.tipText));
    TBBUTTON added{};
    added.iBitmap = button.image > 0 ? button.image - 1 : 0;
    added.idCommand = command;
    added.fsState = TBSTATE_ENABLED;
    switch (button.style) {
    case ButtonStyle::Separator:
        added.fsStyle = BTNS_SEP;
        added.iBitmap = 0;
        break;
    case ButtonStyle::Check:
        added.fsStyle = BTNS_CHECK;
        break;
    case ButtonStyle::Default:
        added.fsStyle = BTNS_BUTTON;
        break;
    }
    SendMessageW(bar_, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&added));
    SendMessageW(bar_, TB_AUTOSIZE, 0, 0);
}

bool WinToolBar::click(int command) {
    const int index = command - FirstCommand;
    if (index < 0 || index >= static_cast<int>(keys_.size())) {
        return false;
    }
    // A check button has changed its state before it tells.
    const bool checked = SendMessageW(bar_, TB_ISBUTTONCHECKED, command, 0) != 0;
    if (click_) {
        const ClickHandler handler = click_;
        handler(keys_[static_cast<std::size_t>(index)], checked ? 1 : 0);
    }
    return true;
}

const std::wstring& WinToolBar::tipOf(int command) const {
    static const std::wstring none;
    const int index = command - FirstCommand;
    if (index < 0 || index >= static_cast<int>(tips_.size())) {
        return none;
    }
    return tips_[static_cast<std::size_t>(index)];
}

} // namespace platform::win
