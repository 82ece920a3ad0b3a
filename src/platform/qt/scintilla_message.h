// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <Qsci/qsciscintillabase.h>

namespace platform::qt {

// A Scintilla message with numeric parameters, positions and counts as long long.
inline long sendScintilla(const QsciScintillaBase& view, unsigned int message, long long wParam = 0,
                          long long lParam = 0) {
    return view.SendScintilla(message, static_cast<unsigned long>(wParam),
                              static_cast<long>(lParam));
}

} // namespace platform::qt
