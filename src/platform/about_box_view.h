// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "form_layout.h"

#include <string>

namespace platform {

class AboutBoxEvents {
public:
    virtual ~AboutBoxEvents() = default;
    // Each time the box is shown, before it appears.
    virtual void Form_Load() = 0;
    virtual void cmdOK_Click() = 0;
};

// A fixed box of labels, an icon, an etched rule and one OK button, which Enter and Esc press.
class AboutBoxView {
public:
    virtual ~AboutBoxView() = default;
    virtual void setEvents(AboutBoxEvents* events) = 0;
    // Control names: picIcon, lblTitle, lblVersion, lblDescription, Line1, lblDisclaimer, cmdOK.
    virtual void layOut(const FormLayout& layout) = 0;
    // A label's text; line breaks are CR LF.
    virtual void setLabel(const std::string& name, const std::string& text) = 0;
    virtual std::string label(const std::string& name) = 0;
    // Runs Form_Load, then shows the box modally; returns when it has closed.
    virtual void showModal() = 0;
    virtual void close() = 0;
};

} // namespace platform
