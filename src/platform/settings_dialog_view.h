// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "form_layout.h"

#include <string>

namespace platform {

class SettingsDialogEvents {
public:
    virtual ~SettingsDialogEvents() = default;
    // Each time the dialog is shown, before it appears.
    virtual void Form_Load() = 0;
    virtual void OKButton_Click() = 0;
    virtual void CancelButton_Click() = 0;
    // Any closing of the dialog; setting cancel keeps it open.
    virtual void Form_Unload(bool& cancel) = 0;
};

// The tool directories dialog: two labels, two text boxes, OK and Cancel.
class SettingsDialogView {
public:
    virtual ~SettingsDialogView() = default;
    virtual void setEvents(SettingsDialogEvents* events) = 0;
    // Places the controls; the layout's control names are Label1, Text1, Label2, Text2,
    // OKButton and CancelButton, in tab order.
    virtual void layOut(const FormLayout& layout) = 0;

    virtual std::string text1() = 0;
    virtual void setText1(const std::string& text) = 0;
    virtual std::string text2() = 0;
    virtual void setText2(const std::string& text) = 0;
    virtual void setLabel1(const std::string& caption) = 0;
    virtual void setLabel2(const std::string& caption) = 0;

    // Runs Form_Load, then shows the dialog modally; returns when it has closed.
    virtual void showModal() = 0;
    // Asks the dialog to close; Form_Unload may refuse.
    virtual void close() = 0;
};

} // namespace platform
