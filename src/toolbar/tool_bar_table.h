// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/tool_bar.h"

#include <string>
#include <vector>

namespace toolbar {

// The 27 positions, left to right.
const std::vector<platform::ToolButtonSpec>& toolButtons();

// The 18 images the buttons refer to by index.
const std::vector<platform::ToolImage>& toolImages();

// What the skeleton button puts in the active document: an applet class waiting for its name.
std::string appletSkeleton();

} // namespace toolbar
