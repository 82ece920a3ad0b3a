// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_about_box.h"

#include "platform/win/wide_text.h"

#include <algorithm>

namespace platform::win {

namespace {

constexpr int IconId = 1101;
constexpr int GreyRuleId = 1102;
constexpr int WhiteRuleId = 1103;

} // namespace

WinAboutBox::WinAboutBox(HINSTANCE instance, std::function<HWND()> owner)
    : WinFormDialog(instance), owner_(std::move(owner)),
      grey_(CreateSolidBrush(RGB(128, 128, 128))), white_(CreateSolidBrush(RGB(255, 255, 255))) {
    icon_ = static_cast<HICON>(LoadImageW(instance, L"MORVANE", IMAGE_ICON, 32, 32, 0));
}

WinAboutBox::~WinAboutBox() {
    DeleteObject(grey_);
    DeleteObject(white_);
    if (icon_ != nullptr) {
        DestroyIcon(icon_);
    }
}

WinFormDialog::ControlKind WinAboutBox::kindOf(const std::string& name) const {
    if (name == "cmdOK") {
        return {L"Button", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK};
    }
    if (name == "picIcon") {
        return {L"Static", SS_ICON | SS_CENTERIMAGE, IconId};
    }
    if (name == "Line1") {
        return {L"Static", SS_NOTIFY, GreyRuleId};
    }
    if (name == "Line1White") {
        return {L"Static", SS_NOTIFY, WhiteRuleId};
    }
    return {L"Static", SS_LEFT | SS_NOPREFIX, -1};
}

void WinAboutBox::showModal() {
    if (events_ != nullptr) {
        events_->Form_Load();
    }
    runModal(owner_());
}

void WinAboutBox::fitOneLineLabels() {
    // The boxes were measured for 宋体; a face standing in for it may be wider or taller, and
    // a one-line label grows to its text rather than cutting it off.
    for (const char* name : {"lblTitle", "lblVersion"}) {
        const HWND label = controlWindow(name);
        const std::wstring text = wideText(textOf(name));
        const HDC dc = GetDC(label);
        const HGDIOBJ previous =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
        SIZE needed{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &needed);
        SelectObject(dc, previous);
        ReleaseDC(label, dc);
        RECT box{};
        GetClientRect(label, &box);
        if (needed.cx > box.right || needed.cy > box.bottom) {
            SetWindowPos(label, nullptr, 0, 0, std::max<LONG>(needed.cx, box.right),
                         std::max<LONG>(needed.cy, box.bottom), SWP_NOMOVE | SWP_NOZORDER);
        }
    }
}

bool WinAboutBox::opened() {
    fitOneLineLabels();
    SendMessageW(controlWindow("picIcon"), STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    SetFocus(controlWindow("cmdOK"));
    return true;
}

void WinAboutBox::command(int id, int code, HWND) {
    if (id == IDOK && code == BN_CLICKED && events_ != nullptr) {
        events_->cmdOK_Click();
    }
}

void WinAboutBox::closeRequested() {
    if (events_ != nullptr) {
        events_->cmdOK_Click();
    } else {
        end();
    }
}

HBRUSH WinAboutBox::staticColour(HWND control, HDC) {
    if (control == controlWindow("Line1")) {
        return grey_;
    }
    if (control == controlWindow("Line1White")) {
        return white_;
    }
    return nullptr;
}

} // namespace platform::win
