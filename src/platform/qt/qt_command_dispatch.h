// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <functional>

namespace platform::qt {

// Runs a command of the menus or the toolbar: at once, or later where the window is busy.
using CommandDispatch = std::function<void(std::function<void()>)>;

// The command as it comes, or through the dispatch where there is one.
inline void dispatchCommand(const CommandDispatch& dispatch, std::function<void()> command) {
    if (dispatch) {
        dispatch(std::move(command));
    } else {
        command();
    }
}

} // namespace platform::qt
