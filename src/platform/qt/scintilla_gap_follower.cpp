// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "scintilla_gap_follower.h"

#include "scintilla_message.h"

#include <algorithm>
#include <cstdlib>

namespace platform::qt {

ScintillaGapFollower::ScintillaGapFollower(QsciScintillaBase& view) : view_(view) {
    // A zero interval runs a step each time the event loop has nothing else to do.
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &ScintillaGapFollower::step);
    connect(&view_, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int updated) {
        if ((updated & QsciScintillaBase::SC_UPDATE_SELECTION) != 0) {
            follow();
        }
    });
}

void ScintillaGapFollower::follow() {
    if (!timer_.isActive() && caretDistance() > NearBytes) {
        timer_.start();
    }
}

long long ScintillaGapFollower::caretDistance() const {
    return std::llabs(sendScintilla(view_, QsciScintillaBase::SCI_GETCURRENTPOS) -
                      sendScintilla(view_, QsciScintillaBase::SCI_GETGAPPOSITION));
}

void ScintillaGapFollower::step() {
    const long long caret = sendScintilla(view_, QsciScintillaBase::SCI_GETCURRENTPOS);
    const long long gap = sendScintilla(view_, QsciScintillaBase::SCI_GETGAPPOSITION);
    if (std::llabs(caret - gap) <= NearBytes ||
        sendScintilla(view_, QsciScintillaBase::SCI_GETREADONLY)) {
        timer_.stop();
        return;
    }
    const long long target =
        caret > gap ? std::min(caret, gap + StepBytes) : std::max(caret, gap - StepBytes);
    moveGapTo(characterStart(target));
}

long long ScintillaGapFollower::characterStart(long long target) const {
    const long long length = sendScintilla(view_, QsciScintillaBase::SCI_GETLENGTH);
    if (target >= length) {
        return length;
    }
    // Scintilla's own rule: the start of the character, or of the CR LF, that holds target.
    return sendScintilla(view_, QsciScintillaBase::SCI_POSITIONBEFORE, std::max(target, 0LL) + 1);
}

void ScintillaGapFollower::moveGapTo(long long position) {
    const long mask = sendScintilla(view_, QsciScintillaBase::SCI_GETMODEVENTMASK);
    const long collecting = sendScintilla(view_, QsciScintillaBase::SCI_GETUNDOCOLLECTION);
    sendScintilla(view_, QsciScintillaBase::SCI_SETMODEVENTMASK, 0);
    sendScintilla(view_, QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0);
    view_.SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, static_cast<unsigned long>(position),
                        " ");
    sendScintilla(view_, QsciScintillaBase::SCI_DELETERANGE, position, 1);
    sendScintilla(view_, QsciScintillaBase::SCI_SETUNDOCOLLECTION, collecting);
    sendScintilla(view_, QsciScintillaBase::SCI_SETMODEVENTMASK, mask);
}

} // namespace platform::qt
