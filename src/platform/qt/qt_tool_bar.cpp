// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "qt_tool_bar.h"

#include <QAbstractButton>
#include <QAction>
#include <QToolBar>
#include <QToolButton>

// The images live in the program's resources, which a static library must register itself.
static void registerToolbarImages() {
    Q_INIT_RESOURCE(icons);
}

namespace platform::qt {

void registerImages() {
    static const bool registered = [] {
        registerToolbarImages();
        return true;
    }();
    Q_UNUSED(registered);
}

QtToolBar::QtToolBar(QToolBar* bar, CommandDispatch dispatch)
    : bar_(bar), dispatch_(std::move(dispatch)) {
    registerImages();
    bar_->setObjectName(QStringLiteral("tbToolBar"));
    bar_->setIconSize(QSize(16, 16));
    bar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar_->setMovable(false);
}

void QtToolBar::setImages(const std::vector<ToolImage>& images) {
    for (const ToolImage& image : images) {
        images_[image.index] = QIcon(QString::fromStdString(image.resource));
    }
}

void QtToolBar::addButton(const ToolButtonSpec& button) {
    if (button.style == ButtonStyle::Separator) {
        bar_->addSeparator();
        return;
    }
    const QString key = QString::fromStdString(button.key);
    // A button shows its action's text as its tip, so a button without a tip has no text;
    // screen readers still hear its key.
    const QString tip = QString::fromStdString(button.tipText);
    auto* action = new QAction(images_[button.image], tip, bar_);
    action->setObjectName(key);
    action->setToolTip(tip);
    const bool check = button.style == ButtonStyle::Check;
    action->setCheckable(check);
    const std::string clickedKey = button.key;
    const auto clicked = [this, clickedKey](bool checked) {
        if (click_) {
            dispatchCommand(dispatch_, [click = click_, clickedKey, checked] {
                click(clickedKey, checked ? 1 : 0);
            });
        }
    };
    // A check button reports each change of its state, whoever made it: a click, or a screen
    // reader's Toggle, which changes the button alone and never triggers the action.
    if (check) {
        QObject::connect(action, &QAction::toggled, bar_, clicked);
    } else {
        QObject::connect(action, &QAction::triggered, bar_, clicked);
    }
    bar_->addAction(action);
    if (auto* widget = qobject_cast<QAbstractButton*>(bar_->widgetForAction(action))) {
        widget->setAccessibleName(key);
        if (check) {
            QObject::connect(widget, &QAbstractButton::toggled, action, &QAction::setChecked);
        }
    }
}

} // namespace platform::qt
