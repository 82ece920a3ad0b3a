// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <optional>

namespace platform::qt {

// Caps Lock and Num Lock as the keyboard's own lights show them. Qt has no such query, so
// this asks the X server; without one (another platform, offscreen) the states are unknown.
class KeyboardIndicators {
public:
    KeyboardIndicators();

    std::optional<bool> capsLock() const;
    std::optional<bool> numLock() const;

private:
    std::optional<bool> indicator(unsigned long atom) const;

    void* display_ = nullptr;
    unsigned long capsAtom_ = 0;
    unsigned long numAtom_ = 0;
};

} // namespace platform::qt
