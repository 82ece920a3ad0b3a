// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/about_box_view.h"
#include "win_form_dialog.h"

#include <functional>

namespace platform::win {

// The About box: labels, the program's icon, an etched rule and OK, which Enter, Esc and the
// close box press.
class WinAboutBox : public AboutBoxView, private WinFormDialog {
public:
    WinAboutBox(HINSTANCE instance, std::function<HWND()> owner);
    ~WinAboutBox() override;

    void setEvents(AboutBoxEvents* events) override { events_ = events; }
    void layOut(const FormLayout& layout) override { setLayout(layout); }
    void setLabel(const std::string& name, const std::string& text) override {
        setTextOf(name, text);
    }
    std::string label(const std::string& name) override { return textOf(name); }
    void showModal() override;
    void close() override { end(); }

private:
    ControlKind kindOf(const std::string& name) const override;
    bool opened() override;
    void command(int id, int code, HWND from) override;
    void closeRequested() override;
    HBRUSH staticColour(HWND control, HDC dc) override;
    void fitOneLineLabels();

    std::function<HWND()> owner_;
    AboutBoxEvents* events_ = nullptr;
    HICON icon_ = nullptr;
    HBRUSH grey_;
    HBRUSH white_;
};

} // namespace platform::win
