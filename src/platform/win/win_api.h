// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

// The Win32 declarations, without the macros that would rename the program's own names
// (MessageBox would become MessageBoxW in one file and stay MessageBox in another).
#include <windows.h>

#undef MessageBox
