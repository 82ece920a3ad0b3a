// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/qt/qt_text_control.h"

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>

#include <gtest/gtest.h>

// Runs the event loop until the control's buffer gap has followed the caret there, or for
// ten thousand turns; whether the gap came near enough.
inline bool gapFollowsCaret(const platform::qt::QtTextControl& control, long long caret) {
    const auto distance = [&] {
        return std::llabs(control.send(QsciScintillaBase::SCI_GETGAPPOSITION) - caret);
    };
    for (int wait = 0; wait < 10000 && distance() > 4; ++wait) {
        QApplication::processEvents();
    }
    return distance() <= platform::qt::ScintillaGapFollower::NearBytes;
}

// What the control told its window, in order.
struct RecordingEvents : platform::TextControlEvents {
    void txtEdit_Change() override {
        ++changes;
        if (onChange) {
            onChange();
        }
    }
    void txtEdit_Click() override {
        ++clicks;
        if (onClick) {
            onClick();
        }
    }
    void txtEdit_KeyUp(int keyCode, int shift) override {
        keyUps.emplace_back(keyCode, shift);
        if (onKeyUp) {
            onKeyUp();
        }
    }
    void txtEdit_LostFocus() override { ++lostFocus; }

    int changes = 0;
    int clicks = 0;
    int lostFocus = 0;
    std::vector<std::pair<int, int>> keyUps;
    std::function<void()> onChange;
    std::function<void()> onClick;
    std::function<void()> onKeyUp;
};

class TextControlTest : public ::testing::Test {
protected:
    TextControlTest() {
        control.resize(640, 400);
        control.setEvents(&events);
    }

    // Selects by byte positions of the UTF-8 text, the positions the control keeps.
    void selectBytes(long long from, long long to) {
        control.send(QsciScintillaBase::SCI_SETSEL, from, to);
    }
    // Selects the first occurrence of a piece of the text.
    void selectText(const std::string& piece) {
        const std::size_t at = control.text().find(piece);
        ASSERT_NE(at, std::string::npos) << piece;
        selectBytes(static_cast<long long>(at), static_cast<long long>(at + piece.size()));
    }
    void caretAtByte(long long position) { selectBytes(position, position); }
    void processEvents() {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
        }
    }

    platform::qt::QtTextControl control;
    RecordingEvents events;
};
