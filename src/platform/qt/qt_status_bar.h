// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "keyboard_indicators.h"
#include "platform/status_bar.h"

#include <functional>
#include <vector>

#include <QObject>

class QLabel;
class QStatusBar;
class QTimer;

namespace platform::qt {

// The status bar's panels as labels; key-state, date and time panels refresh themselves, each
// when what it shows may have changed.
class QtStatusBar : public QObject, public StatusBar {
    Q_OBJECT
public:
    // insertMode tells whether typing inserts (true) or overwrites in the active editor.
    QtStatusBar(QStatusBar* bar, std::function<bool()> insertMode);

    void addPanel(const PanelSpec& spec) override;
    void setPanelText(int index, const std::string& text) override;
    std::string panelText(int index) override;

    QLabel* panelLabel(int index) const;
    // Brings the self-kept panels up to date; also runs after keys, focus changes and on the
    // second.
    void refresh();

private:
    struct Panel {
        PanelSpec spec;
        QLabel* label;
        bool shown = false;
    };
    void showKeyState(Panel& panel, bool on);
    void showClock(Panel& panel, const QString& text);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void placePanels();

    QStatusBar* bar_;
    // Panels stand side by side at their own widths; a narrow window clips the last ones
    // instead of squeezing them over each other.
    QWidget* strip_;
    std::function<bool()> insertMode_;
    KeyboardIndicators indicators_;
    std::vector<Panel> panels_;
    QTimer* timer_;
};

} // namespace platform::qt
