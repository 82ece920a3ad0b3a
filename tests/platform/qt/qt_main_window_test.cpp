// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "app/frm_main.h"
#include "app/module1.h"
#include "editor/frm_edit.h"
#include "fake_platform.h"
#include "platform/progress.h"
#include "platform/qt/qt_main_window.h"
#include "platform/qt/qt_menu_bar.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_tool_bar.h"
#include "platform/qt/qt_window_factory.h"
#include "platform/twips.h"
#include "qt_fixture.h"
#include "qt_program_fixture.h"
#include "toolbar/tool_bar_table.h"

#include <functional>

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

// Press actions click after a short animation: waits for it, at most a second.
void waitUntil(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 1000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

// The real main window over the core's load, with fake files and boxes.
class QtMainWindowTest : public QtProgramTest {};

QStringList captionsOf(const QList<QAction*>& actions) {
    QStringList captions;
    for (QAction* action : actions) {
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return captions;
}

TEST_F(QtMainWindowTest, MenuBarHasTheThreeMenusAndSixCommands) {
    const QList<QAction*> bar = window->QMainWindow::menuBar()->actions();
    EXPECT_EQ(captionsOf(bar), QStringList({"文件", "保存", "字体", "编译", "运行", "生成htm文件",
                                            "用JavaViewer浏览", "发送到浏览器", "关于"}));
    ASSERT_NE(bar[0]->menu(), nullptr);
    EXPECT_EQ(captionsOf(bar[0]->menu()->actions()),
              QStringList({"新建", "打开", "保存", "另存为", "-", "系统设置", "-", "关闭文件", "-",
                           "退出"}));
    EXPECT_EQ(captionsOf(bar[1]->menu()->actions()), QStringList({"保存为htm文件"}));
    EXPECT_EQ(captionsOf(bar[2]->menu()->actions()),
              QStringList({"字体增大", "字体缩小", "粗体", "斜体", "下划线"}));
    for (int i = 3; i < bar.size(); ++i) {
        EXPECT_EQ(bar[i]->menu(), nullptr) << bar[i]->text().toStdString();
    }
    for (QAction* action : window->findChildren<QAction*>()) {
        EXPECT_TRUE(action->shortcut().isEmpty()) << action->objectName().toStdString();
    }
    EXPECT_NE(window->findChild<QAction*>("mnuFileSaveAsHtml"), nullptr);
    EXPECT_NE(window->findChild<QAction*>("mnuBar3"), nullptr);
}

TEST_F(QtMainWindowTest, MenuItemsReachTheirHandlers) {
    QAction* settingsItem = window->findChild<QAction*>("mnuSet");
    ASSERT_NE(settingsItem, nullptr);
    // The dialog is modal: leave it from inside its own event loop, through Cancel.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            if (auto* cancel = dialog->findChild<QPushButton*>("CancelButton")) {
                cancel->click();
            }
        }
    });
    settingsItem->trigger();
    EXPECT_NE(window->findChild<QDialog*>("frmDialog"), nullptr);

    window->findChild<QAction*>("mnuClose")->trigger();
    processEvents();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(QtMainWindowTest, CaptionAndStatusBarPanels) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("MORVANE集成系统2.0版"));
    QStatusBar* bar = window->findChild<QStatusBar*>("StaBar1");
    ASSERT_NE(bar, nullptr);
    auto& panels = window->statusPanels();
    const int widths[] = {1440, 1440, 1440, 600, 500, 500, 1440, 1440};
    for (int i = 1; i <= 8; ++i) {
        ASSERT_NE(panels.panelLabel(i), nullptr) << i;
        EXPECT_EQ(panels.panelLabel(i)->width(),
                  platform::twipsToPixels(widths[i - 1], bar->logicalDpiX()))
            << i;
    }
    EXPECT_EQ(panels.panelLabel(1)->text(), QStringLiteral("软件版本：2.0版"));
    EXPECT_EQ(panels.panelLabel(2)->text(), QString());
    EXPECT_EQ(panels.panelLabel(4)->text(), QStringLiteral("CAPS"));
    EXPECT_EQ(panels.panelLabel(5)->text(), QStringLiteral("NUM"));
    EXPECT_EQ(panels.panelLabel(6)->text(), QStringLiteral("Ins"));
    // No keyboard lights offscreen: both show, greyed.
    EXPECT_FALSE(panels.panelLabel(4)->isEnabled());
    EXPECT_FALSE(panels.panelLabel(5)->isEnabled());
    EXPECT_TRUE(panels.panelLabel(6)->isEnabled()) << "insert mode without documents";
    EXPECT_EQ(panels.panelLabel(7)->text(), QDate::currentDate().toString("yyyy/M/d"));
    EXPECT_FALSE(panels.panelLabel(8)->text().isEmpty());

    panels.setPanelText(2, "行：3");
    EXPECT_EQ(panels.panelText(2), "行：3");
}

TEST_F(QtMainWindowTest, InsertPanelFollowsTheActiveEditorsOverwriteMode) {
    auto& panels = window->statusPanels();
    module.MainWindow->mnuFileNew_Click();
    module.MainWindow->mnuFileNew_Click();
    auto* edit = window->mdiArea()->currentSubWindow()->findChild<QWidget*>("txtEdit");
    ASSERT_NE(edit, nullptr);
    panels.refresh();
    EXPECT_TRUE(panels.panelLabel(6)->isEnabled());
    QTest::keyClick(edit, Qt::Key_Insert);
    panels.refresh();
    EXPECT_FALSE(panels.panelLabel(6)->isEnabled()) << "overwrite: greyed";
    EXPECT_EQ(panels.panelLabel(6)->text(), QStringLiteral("Ins"));
    // Each editor has its own mode.
    window->mdiArea()->activatePreviousSubWindow();
    panels.refresh();
    EXPECT_TRUE(panels.panelLabel(6)->isEnabled());
}

TEST_F(QtMainWindowTest, PanelsAndMenuItemsAreNamedForScreenReaders) {
    auto& panels = window->statusPanels();
    for (int i = 1; i <= 8; ++i) {
        QAccessibleInterface* accessible =
            QAccessible::queryAccessibleInterface(panels.panelLabel(i));
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), panels.panelLabel(i)->text()) << i;
    }
    QAccessibleInterface* bar =
        QAccessible::queryAccessibleInterface(window->QMainWindow::menuBar());
    ASSERT_NE(bar, nullptr);
    QStringList names;
    for (int i = 0; i < bar->childCount(); ++i) {
        names << bar->child(i)->text(QAccessible::Name);
    }
    EXPECT_TRUE(names.contains(QStringLiteral("文件")));
    EXPECT_TRUE(names.contains(QStringLiteral("关于")));
}

TEST_F(QtMainWindowTest, PlacementInTwipsRoundTripsThroughPixels) {
    // Default placement from the empty store: 1000, 1000, 6500, 6500 twips.
    const double dpi = window->logicalDpiX();
    EXPECT_EQ(window->frameGeometry().x(), platform::twipsToPixels(1000, dpi));
    EXPECT_EQ(window->frameGeometry().width(), platform::twipsToPixels(6500, dpi));
    EXPECT_EQ(window->left(), 1000.0f);
    EXPECT_EQ(window->width(), 6500.0f);

    window->setLeft(3000);
    window->setWidth(9000.5f);
    processEvents();
    EXPECT_EQ(window->left(), 3000.0f);
    EXPECT_EQ(window->width(), 9000.5f);

    // Bounds the window system cannot hold are refused and change nothing.
    EXPECT_THROW(window->setLeft(1e12f), platform::RuntimeError);
    EXPECT_THROW(window->setHeight(-20), platform::RuntimeError);
    EXPECT_EQ(window->left(), 3000.0f);
}

TEST_F(QtMainWindowTest, QuittingStoresThePlacementInTheSettingsFile) {
    window->setLeft(1500);
    window->close();
    processEvents();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(settings.getSetting("MORVANE集成系统", "Settings", "MainLeft", "none"), "1500");
    EXPECT_EQ(settings.getSetting("MORVANE集成系统", "Settings", "MainHeight", "none"), "6500");
}

// Work of so many steps of a few milliseconds each.
class TimedWork : public platform::StepwiseWork {
public:
    TimedWork(int steps, int msEach) : steps_(steps), msEach_(msEach) {}
    bool step() override {
        QThread::msleep(static_cast<unsigned long>(msEach_));
        return ++done < steps_;
    }
    double fraction() const override { return static_cast<double>(done) / steps_; }
    int done = 0;

private:
    int steps_;
    int msEach_;
};

TEST_F(QtMainWindowTest, LongWorkShowsItsProgressBoxAfterItsDelayAndCancelEndsIt) {
    const platform::ProgressRequest request{"打开", "正在读入“/src/Big.java”……", "取消", 150};
    QElapsedTimer clock;
    qint64 shownAfter = -1;
    QStringList texts;
    QTimer watch;
    watch.setInterval(2);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = window->findChild<QProgressDialog*>();
        if (box == nullptr || !box->isVisible() || shownAfter >= 0) {
            return;
        }
        shownAfter = clock.elapsed();
        texts << box->windowTitle() << box->findChild<QLabel*>()->text()
              << box->findChild<QPushButton*>()->text();
        box->findChild<QPushButton*>()->click();
    });
    watch.start();

    // Work done before the delay shows nothing.
    TimedWork quick(5, 10);
    clock.start();
    EXPECT_TRUE(window->runStepwise(request, quick));
    EXPECT_EQ(quick.done, 5);
    EXPECT_EQ(shownAfter, -1);

    // Longer work shows the box once the delay is over, and its Cancel button ends the work.
    TimedWork slow(100, 10);
    clock.start();
    EXPECT_FALSE(window->runStepwise(request, slow));
    EXPECT_GE(shownAfter, 150);
    EXPECT_LT(shownAfter, 600);
    EXPECT_LT(slow.done, 100);
    EXPECT_EQ(texts, QStringList({"打开", "正在读入“/src/Big.java”……", "取消"}));
}

TEST_F(QtMainWindowTest, ARefusingDocumentKeepsTheMainWindowOpen) {
    class Stubborn : public QWidget {
    protected:
        void closeEvent(QCloseEvent* event) override { event->ignore(); }
    };
    auto* first = new QWidget;
    first->setAttribute(Qt::WA_DeleteOnClose);
    window->mdiArea()->addSubWindow(first)->show();
    window->mdiArea()->addSubWindow(new Stubborn)->show();
    window->close();
    processEvents();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(settings.getSetting("MORVANE集成系统", "Settings", "MainLeft", "none"), "none");
}

TEST_F(QtMainWindowTest, ToolbarButtonsShowTheirImagesAndAreNamedByTheirKeys) {
    auto* bar = window->findChild<QToolBar*>("tbToolBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->iconSize(), QSize(16, 16));
    const QList<QAction*> actions = bar->actions();
    ASSERT_EQ(actions.size(), 27);
    int separators = 0;
    for (QAction* action : actions) {
        if (action->isSeparator()) {
            ++separators;
            continue;
        }
        EXPECT_FALSE(action->icon().isNull()) << action->text().toStdString();
        EXPECT_FALSE(action->icon().pixmap(16, 16).isNull()) << action->text().toStdString();
        QWidget* button = bar->widgetForAction(action);
        ASSERT_NE(button, nullptr);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        EXPECT_EQ(accessible->text(QAccessible::Name), action->objectName());
        EXPECT_EQ(qobject_cast<QToolButton*>(button)->toolButtonStyle(), Qt::ToolButtonIconOnly);
    }
    EXPECT_EQ(separators, 9);
    EXPECT_EQ(window->findChild<QAction*>("新建")->toolTip(), QStringLiteral("新建"));
    EXPECT_EQ(bar->widgetForAction(window->findChild<QAction*>("Java"))->toolTip(), QString());

    QAction* lineRow = window->findChild<QAction*>("行号列号");
    ASSERT_TRUE(lineRow->isCheckable());
    auto* lineRowButton = bar->widgetForAction(lineRow);
    window->statusPanels().setPanelText(2, "行：5");
    QTest::mouseClick(lineRowButton, Qt::LeftButton);
    EXPECT_TRUE(lineRow->isChecked());
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(lineRowButton)->state().checked);
    QTest::mouseClick(lineRowButton, Qt::LeftButton);
    EXPECT_FALSE(lineRow->isChecked());
    EXPECT_EQ(window->statusPanels().panelText(2), "") << "switching off clears the panels";
}

// What a screen reader may do to a control: every action its accessible interface offers.
QStringList accessibleActionsOf(QObject* control) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    if (accessible == nullptr || accessible->actionInterface() == nullptr) {
        return {};
    }
    return accessible->actionInterface()->actionNames();
}

void doAccessibleAction(QAccessibleInterface* accessible, const QString& name) {
    ASSERT_NE(accessible, nullptr);
    ASSERT_NE(accessible->actionInterface(), nullptr);
    accessible->actionInterface()->doAction(name);
    processEvents();
}

TEST(QtAccessibleActions, EveryToolbarAndMenuActionDoesWhatAClickDoes) {
    QMainWindow host;
    auto* qtBar = host.addToolBar(QStringLiteral("tools"));
    platform::qt::QtToolBar bar(qtBar);
    QStringList clicks;
    bar.setClickHandler([&](const std::string& key, int value) {
        clicks << QString::fromStdString(key) + u'=' + QString::number(value);
    });
    bar.setImages(toolbar::toolImages());
    for (const auto& button : toolbar::toolButtons()) {
        bar.addButton(button);
    }
    platform::qt::QtMenuBar menus(host.menuBar());
    QStringList handled;
    const auto recording = [&](const char* name) {
        return [&handled, name] { handled << QString::fromUtf8(name); };
    };
    menus.addMenu("mnuFile", "文件");
    menus.addItem("mnuFile", "mnuFileOpen", "打开", recording("mnuFileOpen"));
    menus.addCommand("mnuCombile", "编译", recording("mnuCombile"));
    host.show();
    processEvents();

    int buttonsTried = 0;
    for (QAction* action : qtBar->actions()) {
        if (action->isSeparator()) {
            continue;
        }
        QWidget* button = qtBar->widgetForAction(action);
        const QString key = action->objectName();
        // A click, then each accessible action (Press; Toggle too for a check button), each
        // from the same state: the same calls with the same values.
        clicks.clear();
        QTest::mouseClick(button, Qt::LeftButton);
        const QStringList byClick = clicks;
        ASSERT_EQ(byClick.size(), 1) << key.toStdString();
        if (action->isCheckable()) {
            QTest::mouseClick(button, Qt::LeftButton); // back to unchecked
        }
        const QStringList names = accessibleActionsOf(button);
        // A check button is toggled, any other pressed.
        EXPECT_TRUE(names.contains(action->isCheckable()
                                       ? QAccessibleActionInterface::toggleAction()
                                       : QAccessibleActionInterface::pressAction()))
            << key.toStdString();
        for (const QString& name : names) {
            clicks.clear();
            doAccessibleAction(QAccessible::queryAccessibleInterface(button), name);
            waitUntil([&] { return !clicks.isEmpty(); });
            EXPECT_EQ(clicks, byClick) << key.toStdString() << " by " << name.toStdString();
            if (action->isCheckable()) {
                EXPECT_TRUE(action->isChecked()) << name.toStdString();
                QTest::mouseClick(button, Qt::LeftButton); // back to unchecked
            }
        }
        ++buttonsTried;
    }
    EXPECT_EQ(buttonsTried, 18);

    // Menu items and commands on the bar, pressed through their accessible entries.
    QAccessibleInterface* barAccessible = QAccessible::queryAccessibleInterface(host.menuBar());
    ASSERT_NE(barAccessible, nullptr);
    for (int i = 0; i < barAccessible->childCount(); ++i) {
        QAccessibleInterface* entry = barAccessible->child(i);
        if (entry->text(QAccessible::Name) == QStringLiteral("编译")) {
            doAccessibleAction(entry, QAccessibleActionInterface::pressAction());
        }
    }
    QMenu* file = host.menuBar()->findChild<QMenu*>("mnuFile");
    ASSERT_NE(file, nullptr);
    file->popup(QPoint(0, 0));
    processEvents();
    QAccessibleInterface* fileAccessible = QAccessible::queryAccessibleInterface(file);
    ASSERT_EQ(fileAccessible->childCount(), 1);
    doAccessibleAction(fileAccessible->child(0), QAccessibleActionInterface::pressAction());
    file->hide();
    EXPECT_EQ(handled, QStringList({"mnuCombile", "mnuFileOpen"}));
}

TEST_F(QtMainWindowTest, TheAccessibleToggleOfTheLineAndColumnButtonSwitchesTheDisplay) {
    module.MainWindow->mnuFileNew_Click();
    auto* bar = window->findChild<QToolBar*>("tbToolBar");
    QWidget* button = bar->widgetForAction(window->findChild<QAction*>("行号列号"));
    doAccessibleAction(QAccessible::queryAccessibleInterface(button),
                       QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(module.MainWindow->ActiveForm()->LineRow);
    doAccessibleAction(QAccessible::queryAccessibleInterface(button),
                       QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(module.MainWindow->ActiveForm()->LineRow);
}

TEST_F(QtMainWindowTest, AboutBoxShowsItsTextsAndClosesWithEnterOrEsc) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        QString version, disclaimer, title;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            version = box->findChild<QLabel*>("lblVersion")->text();
            disclaimer = box->findChild<QLabel*>("lblDisclaimer")->text();
            QTest::keyClick(box->findChild<QPushButton*>("cmdOK"), key);
        });
        window->findChild<QAction*>("mnuAbout")->trigger();
        EXPECT_EQ(title, QStringLiteral("关于我的应用程序"));
        EXPECT_EQ(version, QStringLiteral("版本:2.0"));
        EXPECT_TRUE(disclaimer.startsWith(QStringLiteral("警告: ...\n")));
    }
    auto* box = window->findChild<QDialog*>("frmAbout");
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(box->findChild<QLabel*>("lblTitle")->text(), QStringLiteral("MORVANE集成系统"));
    EXPECT_EQ(box->findChild<QLabel*>("lblTitle")->font().pointSizeF(), 18.0);
}

TEST(QtSettingsStoreTest, ValuesLiveInTheGivenFolderUnderApplicationAndSection) {
    QtTestEnvironment environment;
    platform::qt::QtSettingsStore store(environment.directory.path());
    EXPECT_EQ(store.getSetting("MORVANE集成系统", "Settings", "MainTop", "1000"), "1000");
    store.saveSetting("MORVANE集成系统", "Settings", "MainTop", "250.5");
    platform::qt::QtSettingsStore again(environment.directory.path());
    EXPECT_EQ(again.getSetting("MORVANE集成系统", "Settings", "MainTop", "1000"), "250.5");
    QSettings file(environment.path("MORVANE集成系统.conf"), QSettings::IniFormat);
    EXPECT_EQ(file.value("Settings/MainTop").toString(), QStringLiteral("250.5"));
}

} // namespace
