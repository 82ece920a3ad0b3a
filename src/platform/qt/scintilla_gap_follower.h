// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <QObject>
#include <QTimer>

class QsciScintillaBase;

namespace platform::qt {

// Scintilla keeps the text, and a style byte for each of its bytes, in buffers with one gap
// where edits go. An edit away from the gap first moves everything in between: at the end of
// a freshly opened 200 MB text, 400 MB for the first key typed there. The follower moves the
// gap to the caret while the program is idle, a few megabytes at a time, so that the move is
// done before the next key comes and no single step holds up the window.
class ScintillaGapFollower : public QObject {
public:
    // Bytes of text the gap moves in one step: a millisecond or less, styles included.
    static constexpr long long StepBytes = 8 << 20;
    // A gap this near the caret stays: an edit there moves no more than this.
    static constexpr long long NearBytes = 1 << 20;

    explicit ScintillaGapFollower(QsciScintillaBase& view);

    // Follows the caret from now on, where it stands far from the gap.
    void follow();

private:
    void step();
    long long caretDistance() const;
    // The position at or just before target where a byte may go in without splitting a
    // character or a CR LF.
    long long characterStart(long long target) const;
    // Moves the gap to position by an insertion undone at once, unseen by anyone: no change
    // notice, no undo step, the same save point.
    void moveGapTo(long long position);

    QsciScintillaBase& view_;
    QTimer timer_;
};

} // namespace platform::qt
