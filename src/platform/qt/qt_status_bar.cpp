#include "qt_status_bar.h"

#include "platform/twips.h"

#include <QDateTime>
#include <QEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace platform::qt {

namespace {

// Often enough that a key-state change shows within a blink.
constexpr int RefreshMilliseconds = 250;
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
    connect(timer_, &QTimer::timeout, this, &QtStatusBar::refresh);
    timer_->start(RefreshMilliseconds);
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
    if (watched == strip_ && event->type() == QEvent::Resize) {
        placePanels();
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
    // The label always shows; greyed means the state is off.
    panel.label->setEnabled(on);
    panel.label->setAccessibleName(panel.label->text());
    panel.label->setAccessibleDescription(on ? QStringLiteral("开") : QStringLiteral("关"));
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
            panel.label->setText(now.date().toString(DateFormat));
            panel.label->setAccessibleName(panel.label->text());
            break;
        case PanelStyle::Time:
            panel.label->setText(now.time().toString(TimeFormat));
            panel.label->setAccessibleName(panel.label->text());
            break;
        }
    }
}

} // namespace platform::qt
