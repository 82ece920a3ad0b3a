// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/settings_dialog_view.h"
#include "win_form_dialog.h"

#include <functional>

namespace platform::win {

// The tool directories dialog. Every way of closing it, the close box and Esc included, asks
// the program first; the Cancel button tells the program it was pressed.
class WinSettingsDialog : public SettingsDialogView, private WinFormDialog {
public:
    WinSettingsDialog(HINSTANCE instance, std::function<HWND()> owner)
        : WinFormDialog(instance), owner_(std::move(owner)) {}

    void setEvents(SettingsDialogEvents* events) override { events_ = events; }
    void layOut(const FormLayout& layout) override { setLayout(layout); }

    std::string text1() override { return textOf("Text1"); }
    void setText1(const std::string& text) override { setTextOf("Text1", text); }
    std::string text2() override { return textOf("Text2"); }
    void setText2(const std::string& text) override { setTextOf("Text2", text); }
    void setLabel1(const std::string& caption) override { setTextOf("Label1", caption); }
    void setLabel2(const std::string& caption) override { setTextOf("Label2", caption); }

    void showModal() override;
    void close() override { closeRequested(); }

private:
    ControlKind kindOf(const std::string& name) const override;
    bool opened() override;
    void command(int id, int code, HWND from) override;
    void closeRequested() override;

    std::function<HWND()> owner_;
    SettingsDialogEvents* events_ = nullptr;
};

} // namespace platform::win
