// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "scintilla_scroll_width.h"

#include "scintilla_message.h"

#include <algorithm>

namespace platform::qt {

ScintillaScrollWidth::ScintillaScrollWidth(QsciScintillaBase& view) : view_(view) {
    sendScintilla(view_, QsciScintillaBase::SCI_SETSCROLLWIDTHTRACKING, 1);
    restart();
    connect(&view_, &QsciScintillaBase::SCN_PAINTED, this, &ScintillaScrollWidth::painted);
}

void ScintillaScrollWidth::restart() {
    set_ = 1;
    sendScintilla(view_, QsciScintillaBase::SCI_SETSCROLLWIDTH, set_);
}

void ScintillaScrollWidth::painted() {
    const long widest = sendScintilla(view_, QsciScintillaBase::SCI_GETSCROLLWIDTH);
    const long xOffset = sendScintilla(view_, QsciScintillaBase::SCI_GETXOFFSET);
    const bool scrolled = xOffset != xOffset_;
    xOffset_ = xOffset;
    if (widest == set_ || queued_) {
        return;
    }
    if (scrolled) {
        // A view moved sideways has set its scroll bars and been repainted already.
        set_ = widest;
        return;
    }
    // Scintilla raised the range while it painted; the scroll bars change after the paint.
    queued_ = true;
    QMetaObject::invokeMethod(this, &ScintillaScrollWidth::roundUp, Qt::QueuedConnection);
}

void ScintillaScrollWidth::roundUp() {
    queued_ = false;
    const long widest = sendScintilla(view_, QsciScintillaBase::SCI_GETSCROLLWIDTH);
    const long step = std::max(64, view_.viewport()->width());
    set_ = (widest + step - 1) / step * step;
    sendScintilla(view_, QsciScintillaBase::SCI_SETSCROLLWIDTH, set_);
}

} // namespace platform::qt
