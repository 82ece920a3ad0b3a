// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/form_layout.h"
#include "win_api.h"

#include <string>
#include <vector>

namespace platform::win {

// A fixed dialog window laid out from a form's layout in twips: its controls are made when it
// opens, placed in pixels at the window's resolution, in the layout's tab order. The dialog
// manager gives it Tab, Enter and Esc.
class WinFormDialog {
public:
    // What kind of window a control of the layout is.
    struct ControlKind {
        const wchar_t* windowClass;
        DWORD style;
        int id;
    };

    explicit WinFormDialog(HINSTANCE instance) : instance_(instance) {}
    virtual ~WinFormDialog();
    WinFormDialog(const WinFormDialog&) = delete;
    WinFormDialog& operator=(const WinFormDialog&) = delete;

    void setLayout(const FormLayout& layout);
    HWND window() const { return window_; }

protected:
    // Shows the dialog over owner and returns when it has closed.
    void runModal(HWND owner);
    // Opens the dialog over owner and returns at once; close() ends it.
    void openModeless(HWND owner);
    void end();

    std::string textOf(const std::string& name) const;
    void setTextOf(const std::string& name, const std::string& text);
    HWND controlWindow(const std::string& name) const;

    virtual ControlKind kindOf(const std::string& name) const = 0;
    // The window's controls exist; the focus goes where this puts it (false: the first).
    virtual bool opened() { return false; }
    virtual void command(int id, int code, HWND from) = 0;
    // Esc or the close box.
    virtual void closeRequested() = 0;
    // A static control is about to be drawn; a brush to paint it with, or none.
    virtual HBRUSH staticColour(HWND control, HDC dc);

private:
    struct Control {
        ControlBox box;
        std::string text;
        HWND window = nullptr;
        HFONT font = nullptr;
    };
    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    INT_PTR handleMessage(UINT message, WPARAM w, LPARAM l);
    void createControls();
    void destroyFonts();
    std::vector<DWORD> dialogTemplate() const;
    const Control* find(const std::string& name) const;

    HINSTANCE instance_;
    HWND window_ = nullptr;
    bool modal_ = false;
    FormLayout layout_;
    std::vector<Control> controls_;
};

} // namespace platform::win
