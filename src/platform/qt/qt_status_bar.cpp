#include "qt_status_bar.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include <QTimer>

#include "platform/twips.h"

namespace platform::qt {

namespace {

// Often enough that a key-state change shows within a blink.
constexpr int RefreshMilliseconds = 250;

} // namespace

QtStatusBar::QtStatusBar(QStatusBar* bar, std::function<bool()> insertMode)
    : QObject(bar), bar_(bar), insertMode_(std::move(insertMode)), timer_(new QTimer(this)) {
    connect(timer_, &QTimer::timeout, this, &QtStatusBar::refresh);
    timer_->start(RefreshMilliseconds);
}

void QtStatusBar::addPanel(const PanelSpec& spec) {
    auto* label = new QLabel(bar_);
    label->setObjectName(QStringLiteral("panel%1").arg(panels_.size() + 1));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setFixedWidth(twipsToPixels(spec.widthTwips, bar_->logicalDpiX()));
    label->setText(QString::fromStdString(spec.label));
    bar_->addWidget(label);
    panels_.push_back({spec, label});
    refresh();
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
    // The label always shows; greyed means the state is off.
    panel.label->setEnabled(on);
    panel.label->setAccessibleName(panel.label->text());
    panel.label->setAccessibleDescription(on ? QStringLiteral("开") : QStringLiteral("关"));
}

void QtStatusBar::refresh() {
    const QLocale locale;
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
            panel.label->setText(locale.toString(now.date(), QLocale::ShortFormat));
            panel.label->setAccessibleName(panel.label->text());
            break;
        case PanelStyle::Time:
            panel.label->setText(locale.toString(now.time(), QLocale::ShortFormat));
            panel.label->setAccessibleName(panel.label->text());
            break;
        }
    }
}

} // namespace platform::qt
