// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "win_api.h"

namespace platform::win {

// The dots per inch a window is drawn at: its monitor's where the system says (Windows 10
// onwards, the program being aware of each monitor's), else the system's.
double dpiOf(HWND window);

// Twips to pixels and back at a window's resolution.
int pixelsOf(double twips, HWND window);
double twipsOf(int pixels, HWND window);

// A font of the given face and size in points, for a window at its resolution; the caller
// deletes it.
HFONT createFont(const wchar_t* face, double points, HWND window, int weight = FW_NORMAL);

} // namespace platform::win
