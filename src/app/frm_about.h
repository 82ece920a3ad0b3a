// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/about_box_view.h"

#include <memory>

namespace app {

class Module1;

// The About box: title, version, what the program is for, and a warning.
class frmAbout : public platform::AboutBoxEvents {
public:
    frmAbout(Module1& module, std::unique_ptr<platform::AboutBoxView> view);

    // Shows the box modally; returns when it has closed.
    void Show();

    void Form_Load() override;
    void cmdOK_Click() override;

    static platform::FormLayout layout();

private:
    Module1& module_;
    std::unique_ptr<platform::AboutBoxView> view_;
};

} // namespace app
