// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/error.h"

#include <gtest/gtest.h>

// The RuntimeError that action raises; a test failure when it raises none.
template <typename Action> platform::RuntimeError errorOf(Action action) {
    try {
        action();
    } catch (const platform::RuntimeError& error) {
        return error;
    }
    ADD_FAILURE() << "no RuntimeError was raised";
    return platform::RuntimeError(0, "");
}
