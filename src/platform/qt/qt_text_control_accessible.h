// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace platform::qt {

// The accessible of the edit control: an editable text, counted in UTF-16 code units the way
// assistive tools count, found through Scintilla's per-line index instead of a count from
// the start of the text.
QAccessibleInterface* textControlAccessible(const QString& className, QObject* object);

} // namespace platform::qt
