// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <Qt>

class QKeyEvent;

namespace platform::qt {

// The key codes and shift bits of a Windows key event, which the window's handlers expect.
int windowsKeyCode(const QKeyEvent& event);
int windowsShiftState(Qt::KeyboardModifiers modifiers);

} // namespace platform::qt
