// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "app/frm_main.h"
#include "app/module1.h"
#include "editor/frm_edit.h"
#include "fake_platform.h"
#include "platform/posix/iconv_code_page.h"
#include "platform/posix/posix_text_files.h"
#include "platform/qt/qt_main_window.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_window_factory.h"
#include "posix_test_support.h"
#include "qt_fixture.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

// Answers the message boxes the program shows, in turn, from inside each box's own event
// loop, and keeps their texts; a box beyond the answers given is closed by its last button.
class BoxAnswers {
public:
    using Answer = std::function<void(QMessageBox&)>;
    BoxAnswers();
    void add(Answer answer) { answers_.push_back(std::move(answer)); }
    // Presses the button with this text.
    static Answer press(const QString& button);
    QStringList texts;

private:
    QTimer timer_;
    std::deque<Answer> answers_;
    // Null again once that box is gone: the next box may stand at the same address.
    QPointer<QMessageBox> answered_;
};

// The program on its real windows, real message boxes and the real files and code page of this
// system; file dialogs and processes stay fakes, so no dialog waits for a user. Its settings,
// Set.ini and cache folder live in temporary folders of their own.
class QtProgramOnDisk {
public:
    QtProgramOnDisk(const std::string& sourceFolder, const std::string& cacheFolder);
    ~QtProgramOnDisk();

    // Opens the file through the Open command, as the dialog would answer.
    editor::frmEdit& open(const std::string& path);
    // Types at the end of the active document's text, keys and all.
    void typeAtEnd(const QString& text);
    // Runs a menu command by its item's name.
    void trigger(const char* item);
    editor::frmEdit& active() const { return *module->MainWindow->ActiveForm(); }

    QtTestEnvironment environment;
    fakes::FakePlatform platform;
    platform::posix::PosixTextFiles files;
    platform::posix::IconvCodePage codePage;
    platform::qt::QtMessageBox messageBox;
    platform::qt::QtSettingsStore settings{environment.directory.path()};
    platform::qt::QtWindowFactory windows;
    platform::Services services{messageBox,
                                settings,
                                platform.location,
                                files,
                                codePage,
                                windows,
                                platform.fileDialogs,
                                platform.processes,
                                platform.clipboard,
                                platform.environment,
                                platform.privateFiles};
    std::unique_ptr<app::Module1> module;
    platform::qt::QtMainWindow* window = nullptr;

private:
    posixtest::CacheFolder cache_;
};
