// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/progress.h"
#include "win_api.h"

namespace platform::win {

// Runs the work step after step to its end, the program's windows repainted between the
// steps; once the request's delay has passed, a box over owner shows how far it is with a
// button that cancels. No command runs meanwhile: input waits until the box shows, and then
// only the box takes it. False when the user cancelled; what a step raises comes out of this.
bool runWithProgressBox(HWND owner, const ProgressRequest& request, StepwiseWork& work);

// Paints what needs painting and answers the messages other threads send; input stays queued.
// For work that takes long within one step.
void repaintWindows();

} // namespace platform::win
