// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <string>

namespace toolchain {

// The page that shows the applet compiled from the class named baseName, 300 by 150, the class
// file looked up beside the page. Seven lines; the last one has no line end. The name is
// written as HTML reads it back: "&", quotes, "<", ">" and control characters as references.
std::string appletPageText(const std::string& baseName);

} // namespace toolchain
