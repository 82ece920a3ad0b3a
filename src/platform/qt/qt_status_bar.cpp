// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "qt_status_bar.h"

#include "platform/twips.h"

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace platform::qt {

namespace {

constexpr int PanelSpacing = 2;

// The short date and time of a Chinese desktop, whatever the locale's month names.
const QString DateFormat = QStringLiteral("yyyy/M/d");
const QString TimeFormat = QStringLiteral("H:mm:ss");

} // namespace

QtStatusBar::QtStatusBar(QStatusBar* bar, std::function<bool()> insertMode)
    : QObject(bar), bar_(bar), strip_(new QWidget(bar)), insertMode_(std::move(insertMode)),
      timer_(new QTimer(this)) {
    strip_->setObjectName(QStringLiteral("panels"));
    strip_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    strip_->setMinimumHeight(bar->fontMetrics().height() + 6);
    strip_->installEventFilter(this);
    bar_->addWidget(strip_, 1);
    // The clock wakes once a second, as its text changes; the key states change only by a
    // key, or while another program had the keyboard, or with the editor that has the focus.
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &QtStatusBar::refresh);
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this] { refresh(); });
}

void QtStatusBar::addPanel(const PanelSpec& spec) {
    auto* label = new QLabel(strip_);
    label->setObjectName(QStringLiteral("panel%1").arg(panels_.size() + 1));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setFixedWidth(twipsToPixels(spec.widthTwips, bar_->logicalDpiX()));
    label->setText(QString::fromStdString(spec.label));
    panels_.push_back({spec, label});
    placePanels();
    refresh();
}

void QtStatusBar::placePanels() {
    int x = 0;
    for (const Panel& panel : panels_) {
        panel.label->setGeometry(x, 0, panel.label->width(), strip_->height());
        x += panel.label->width() + PanelSpacing;
    }
}

bool QtStatusBar::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == strip_) {
            placePanels();
        }
        break;
    case QEvent::KeyRelease:
    case QEvent::ApplicationStateChange:
        // Once per event: the application sees it first, then each widget it passes through.
        if (watched == qApp) {
            refresh();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

QLabel* QtStatusBar::panelLabel(int index) const {
    if (index < 1 || index > static_cast<int>(panels_.size())) {
        return nullptr;
    }
    return panels_[index - 1].label;
}

void QtStatusBar::setPanelText(int index, const std::string& text) {
    if (QLabel* label = panelLabel(index)) {
        label->setText(QString::fromStdString(text));
        label->setAccessibleName(label->text());
    }
}

std::string QtStatusBar::panelText(int index) {
    QLabel* label = panelLabel(index);
    return label != nullptr ? label->text().toStdString() : std::string();
}

void QtStatusBar::showKeyState(Panel& panel, bool on) {
    if (panel.shown && panel.label->isEnabled() == on) {
        return;
    }
    panel.shown = true;
    // The label always shows; greyed means the state is off.
    panel.label->setEnabled(on);
    panel.label->setAccessibleName(panel.label->text());
    panel.label->setAccessibleDescription(on ? QStringLiteral("开") : QStringLiteral("关"));
}

void QtStatusBar::showClock(Panel& panel, const QString& text) {
    if (panel.label->text() != text) {
        panel.label->setText(text);
        panel.label->setAccessibleName(text);
    }
}

void QtStatusBar::refresh() {
    const QDateTime now = QDateTime::currentDateTime();
    for (Panel& panel : panels_) {
        switch (panel.spec.style) {
        case PanelStyle::Text:
            break;
        case PanelStyle::CapsLock:
            showKeyState(panel, indicators_.capsLock().value_or(false));
            break;
        case PanelStyle::NumLock:
            showKeyState(panel, indicators_.numLock().value_or(false));
            break;
        case PanelStyle::Insert:
            showKeyState(panel, insertMode_ ? insertMode_() : true);
            break;
        case PanelStyle::Date:
            showClock(panel, now.date().toString(DateFormat));
            break;
        case PanelStyle::Time:
            showClock(panel, now.time().toString(TimeFormat));
            break;
        }
    }
    // Just after the next full second.
    timer_->start(1000 - now.time().msec() + 5);
}

} // namespace platform::qt
