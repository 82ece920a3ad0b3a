// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_status_bar.h"

#include "platform/win/wide_text.h"
#include "win_dpi.h"

#include <commctrl.h>
#include <cstdio>

namespace platform::win {

namespace {

// The short date and time of a Chinese desktop.
std::string today(const SYSTEMTIME& now) {
    char text[32];
    std::snprintf(text, sizeof text, "%u/%u/%u", now.wYear, now.wMonth, now.wDay);
    return text;
}

std::string timeOfDay(const SYSTEMTIME& now) {
    char text[32];
    std::snprintf(text, sizeof text, "%u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
    return text;
}

bool keyIsOn(int key) {
    return (GetKeyState(key) & 1) != 0;
}

} // namespace

WinStatusBar::WinStatusBar(HWND bar, std::function<bool()> insertMode)
    : bar_(bar), insertMode_(std::move(insertMode)) {}

void WinStatusBar::placePanels() {
    std::vector<int> edges;
    int right = 0;
    for (const Panel& panel : panels_) {
        right += pixelsOf(panel.spec.widthTwips, bar_);
        edges.push_back(right);
    }
    SendMessageW(bar_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        show(static_cast<int>(i + 1));
    }
}

void WinStatusBar::addPanel(const PanelSpec& spec) {
    panels_.push_back({spec, spec.style == PanelStyle::Text ? std::string() : spec.label});
    placePanels();
    refresh();
}

void WinStatusBar::show(int index) {
    const Panel& panel = panels_[static_cast<std::size_t>(index - 1)];
    const WPARAM part = static_cast<WPARAM>(index - 1);
    switch (panel.spec.style) {
    case PanelStyle::CapsLock:
    case PanelStyle::NumLock:
    case PanelStyle::Insert:
        SendMessageW(bar_, SB_SETTEXTW, part | SBT_OWNERDRAW,
                     KeyPanelMarker | (panel.keyState == 1 ? 1 : 0));
        return;
    default:
        SendMessageW(bar_, SB_SETTEXTW, part,
                     reinterpret_cast<LPARAM>(wideText(panel.text).c_str()));
    }
}

void WinStatusBar::setPanelText(int index, const std::string& text) {
    if (index < 1 || index > static_cast<int>(panels_.size())) {
        return;
    }
    panels_[static_cast<std::size_t>(index - 1)].text = text;
    show(index);
}

std::string WinStatusBar::panelText(int index) {
    if (index < 1 || index > static_cast<int>(panels_.size())) {
        return {};
    }
    return panels_[static_cast<std::size_t>(index - 1)].text;
}

void WinStatusBar::refresh() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        Panel& panel = panels_[i];
        std::string text = panel.text;
        int keyState = panel.keyState;
        switch (panel.spec.style) {
        case PanelStyle::Text:
            continue;
        case PanelStyle::CapsLock:
            keyState = keyIsOn(VK_CAPITAL) ? 1 : 0;
            break;
        case PanelStyle::NumLock:
            keyState = keyIsOn(VK_NUMLOCK) ? 1 : 0;
            break;
        case PanelStyle::Insert:
            keyState = !insertMode_ || insertMode_() ? 1 : 0;
            break;
        case PanelStyle::Date:
            text = today(now);
            break;
        case PanelStyle::Time:
            text = timeOfDay(now);
            break;
        }
        if (text != panel.text || keyState != panel.keyState) {
            panel.text = text;
            panel.keyState = keyState;
            show(static_cast<int>(i + 1));
        }
    }
}

bool WinStatusBar::drawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem != bar_ || item.itemID >= panels_.size()) {
        return false;
    }
    const Panel& panel = panels_[item.itemID];
    RECT box = item.rcItem;
    box.left += 2;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(panel.keyState == 1 ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    const HGDIOBJ previous =
        SelectObject(item.hDC, reinterpret_cast<HFONT>(SendMessageW(bar_, WM_GETFONT, 0, 0)));
    const std::wstring label = wideText(panel.spec.label);
    DrawTextW(item.hDC, label.c_str(), static_cast<int>(label.size()), &box,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    SelectObject(item.hDC, previous);
    return true;
}

} // namespace platform::win
