// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <string>

namespace platform {

// Long work cut into steps that each take a few milliseconds, so that the window can be
// repainted between them.
class StepwiseWork {
public:
    virtual ~StepwiseWork() = default;
    // Does the next step; false once the work is done.
    virtual bool step() = 0;
    // How much of the work is done, from 0 to 1.
    virtual double fraction() const = 0;
};

// The progress box shown while stepwise work runs, once it has run for showAfterMs.
struct ProgressRequest {
    std::string title;
    std::string label;
    std::string cancelText;
    int showAfterMs = 0;
};

} // namespace platform
