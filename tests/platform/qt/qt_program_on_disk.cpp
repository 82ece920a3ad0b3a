// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "qt_program_on_disk.h"

#include <fstream>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

BoxAnswers::BoxAnswers() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box == answered_ || !box->isVisible()) {
            return;
        }
        answered_ = box;
        texts << box->text();
        // A box no case expects is kept and closed by its last button (OK, or No), so that the
        // case fails instead of waiting.
        if (answers_.empty()) {
            box->buttons().constLast()->click();
            return;
        }
        const Answer answer = std::move(answers_.front());
        answers_.pop_front();
        answer(*box);
    });
    timer_.start();
}

BoxAnswers::Answer BoxAnswers::press(const QString& button) {
    return [button](QMessageBox& box) { pressBoxButton(box, button); };
}

QtProgramOnDisk::QtProgramOnDisk(const std::string& sourceFolder, const std::string& cacheFolder)
    : cache_(cacheFolder) {
    // Set.ini beside the program names the tools and the sources, so that no settings dialog
    // waits at the start.
    platform.location.directory = environment.directory.path().toStdString();
    std::ofstream(platform.location.directory + "/Set.ini", std::ios::binary)
        << "/usr/lib/jvm/bin/\r\n"
        << sourceFolder << "/\r\n";
    module = std::make_unique<app::Module1>(services);
    module->Main();
    window = windows.mainWindow();
    messageBox.setFallbackParent(window);
    processEvents();
}

QtProgramOnDisk::~QtProgramOnDisk() {
    if (window != nullptr) {
        window->hide();
    }
}

editor::frmEdit& QtProgramOnDisk::open(const std::string& path) {
    platform.fileDialogs.answers.push_back(path);
    trigger("mnuFileOpen");
    return active();
}

void QtProgramOnDisk::typeAtEnd(const QString& text) {
    QWidget* edit = window->mdiArea()->currentSubWindow()->findChild<QWidget*>("txtEdit");
    EXPECT_NE(edit, nullptr);
    QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
    for (const QChar c : text) {
        if (c == u'\n') {
            QTest::keyClick(edit, Qt::Key_Return);
        } else {
            QTest::keyClicks(edit, QString(c));
        }
    }
}

void QtProgramOnDisk::trigger(const char* item) {
    QAction* action = window->findChild<QAction*>(item);
    EXPECT_NE(action, nullptr) << item;
    action->trigger();
    processEvents();
}
