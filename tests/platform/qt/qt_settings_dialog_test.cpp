// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "platform/qt/qt_settings_dialog.h"
#include "platform/twips.h"
#include "qt_fixture.h"
#include "toolchain/frm_dialog.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Events as a script: what the program would answer, recorded.
class ScriptedEvents : public platform::SettingsDialogEvents {
public:
    void Form_Load() override { ++loads; }
    void OKButton_Click() override { ++okClicks; }
    void CancelButton_Click() override { ++cancelClicks; }
    void Form_Unload(bool& cancel) override {
        ++unloads;
        cancel = !mayClose;
    }
    int loads = 0, okClicks = 0, cancelClicks = 0, unloads = 0;
    bool mayClose = false;
};

class QtSettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.setEvents(&events);
        dialog.layOut(toolchain::frmDialog::layout());
    }
    template <class T> T* control(const char* name) { return dialog.findChild<T*>(name); }
    // Runs the dialog modally and performs the action inside its event loop.
    void runModal(std::function<void()> action) {
        QTimer::singleShot(0, [this, action] {
            action();
            if (dialog.isVisible()) {
                events.mayClose = true;
                dialog.close();
            }
        });
        dialog.showModal();
    }

    ScriptedEvents events;
    platform::qt::QtSettingsDialog dialog;
};

TEST_F(QtSettingsDialogTest, ControlsStandWhereTheLayoutSaysInTabOrder) {
    const double dpi = dialog.logicalDpiX();
    const auto px = [dpi](int twips) { return platform::twipsToPixels(twips, dpi); };
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("参数设置对话框"));
    EXPECT_EQ(dialog.size(), QSize(px(6885), px(3045)));
    EXPECT_EQ(control<QPushButton>("OKButton")->geometry(),
              QRect(px(1080), px(2280), px(1215), px(495)));
    EXPECT_EQ(control<QPushButton>("OKButton")->text(), QStringLiteral("确定"));
    EXPECT_EQ(control<QPushButton>("CancelButton")->text(), QStringLiteral("取消"));
    EXPECT_EQ(control<QLineEdit>("Text2")->geometry(), QRect(px(120), px(1320), px(6615), px(495)));
    EXPECT_EQ(control<QLabel>("Label1")->geometry(), QRect(px(120), px(0), px(6720), px(240)));

    // Labels take no focus: Tab goes OK, Cancel, Text1, Text2.
    const auto nextTabStop = [](QWidget* widget) {
        do {
            widget = widget->nextInFocusChain();
        } while (!(widget->focusPolicy() & Qt::TabFocus));
        return widget;
    };
    EXPECT_EQ(nextTabStop(control<QWidget>("OKButton")), control<QWidget>("CancelButton"));
    EXPECT_EQ(nextTabStop(control<QWidget>("CancelButton")), control<QWidget>("Text1"));
    EXPECT_EQ(nextTabStop(control<QWidget>("Text1")), control<QWidget>("Text2"));
}

TEST_F(QtSettingsDialogTest, OpensWithTheFocusOnOkAndLoadsEachShowing) {
    QWidget* focused = nullptr;
    runModal([&] { focused = dialog.focusWidget(); });
    EXPECT_EQ(focused, control<QWidget>("OKButton"));
    events.mayClose = false;
    runModal([] {});
    EXPECT_EQ(events.loads, 2);
}

TEST_F(QtSettingsDialogTest, CloseBoxAndEscapeAskTheProgramWhichMayRefuse) {
    bool visibleAfterRefusals = false;
    runModal([&] {
        dialog.close();                           // the close box
        QTest::keyClick(&dialog, Qt::Key_Escape); // Esc
        visibleAfterRefusals = dialog.isVisible();
    });
    EXPECT_TRUE(visibleAfterRefusals);
    EXPECT_EQ(events.unloads, 3) << "two refused, then the one that closed";
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(QtSettingsDialogTest, ButtonsReachTheProgramAndTextsGoBothWays) {
    runModal([&] {
        dialog.setText1("/usr/lib/jvm/bin/");
        control<QLineEdit>("Text2")->setText(QStringLiteral("/home/用户"));
        QTest::keyClicks(control<QLineEdit>("Text2"), "/src");
        QTest::mouseClick(control<QPushButton>("OKButton"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>("CancelButton"), Qt::LeftButton);
    });
    EXPECT_EQ(events.okClicks, 1);
    EXPECT_EQ(events.cancelClicks, 1);
    EXPECT_EQ(dialog.text1(), "/usr/lib/jvm/bin/");
    EXPECT_EQ(dialog.text2(), "/home/用户/src");
}

TEST_F(QtSettingsDialogTest, EnterMeansOkWhereverTheFocusIs) {
    // Tabbing from OK over Cancel into the text boxes, and straight into the second one.
    runModal([&] {
        // Buttons take the default as the focus passes them only in the active window.
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(dialog.focusWidget(), control<QWidget>("Text1"));
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
        control<QLineEdit>("Text2")->setFocus();
        QTest::keyClick(control<QLineEdit>("Text2"), Qt::Key_Enter);
    });
    EXPECT_EQ(events.okClicks, 2);
    EXPECT_EQ(events.cancelClicks, 0);
    EXPECT_TRUE(control<QPushButton>("OKButton")->isDefault());
}

TEST_F(QtSettingsDialogTest, TextBoxesAreNamedByTheirLabels) {
    dialog.setLabel1("Java编译器和AppletViewr所在目录：(如：C:\\java\\bin\\)");
    QAccessibleInterface* text1 =
        QAccessible::queryAccessibleInterface(control<QLineEdit>("Text1"));
    EXPECT_EQ(text1->text(QAccessible::Name),
              QStringLiteral("Java编译器和AppletViewr所在目录：(如：C:\\java\\bin\\)"));
    QAccessibleInterface* ok =
        QAccessible::queryAccessibleInterface(control<QPushButton>("OKButton"));
    EXPECT_EQ(ok->text(QAccessible::Name), QStringLiteral("确定"));
}

} // namespace
