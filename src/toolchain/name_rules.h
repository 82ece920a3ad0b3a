// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <string>
#include <string_view>

namespace toolchain {

// What a file or class name must be to be handed to a tool, and how a message shows a name
// that is not.

// UTF-8 without a control character (C0, DEL or C1): text that stays one line of a script and
// one argument of a program. A line break in a name would start a script line of its own.
bool isPlainText(std::string_view text);

// The text as a message can show it: control characters as their pictures (a line feed as
// "␊", NUL as "␀"), C1 controls, characters that reorder or hide text (U+202E, U+200B) as
// "[U+202E]", and bytes that are not UTF-8 as "[\xFF]", so a name shows all it holds.
std::string visibleText(std::string_view text);

// A Java identifier that is not a keyword: the only class name that the java launcher takes as
// a class and as nothing else (not an option, not a file of options, not a path). ASCII is
// checked exactly; beyond it, letters and digits of every script count, and the punctuation,
// symbols, spaces and invisible characters a name may hold do not.
bool isJavaIdentifier(std::string_view name);

} // namespace toolchain
