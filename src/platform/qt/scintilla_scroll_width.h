// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <QObject>

class QsciScintillaBase;

namespace platform::qt {

// The horizontal scroll range of a Scintilla view, grown in steps of the text area's width.
// Scintilla tracks the widest line it has painted and, 50 ms after a line grew past the range
// without the view moving sideways, sets the scroll bars again and repaints the whole view:
// typing into the longest line, with its end out of sight, did that again and again, and once
// more after the last key. Rounded up at once, the range holds the next keys, and while it
// stays inside the text area no scroll bar changes and nothing is repainted at all.
class ScintillaScrollWidth : public QObject {
public:
    explicit ScintillaScrollWidth(QsciScintillaBase& view);

    // A new text: the range starts again from its widest painted line.
    void restart();

private:
    void painted();
    void roundUp();

    QsciScintillaBase& view_;
    long set_ = 1;
    long xOffset_ = 0;
    bool queued_ = false;
};

} // namespace platform::qt
