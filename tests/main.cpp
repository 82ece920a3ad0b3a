// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "platform/error.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The main of every test that needs Qt's widgets: one QApplication on the offscreen platform.
int main(int argc, char** argv) {
    // Qt's dialogs keep their history in the user's settings; keep the tests' out of them.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    platform::bugHandler = [](const std::exception& bug) {
        ADD_FAILURE() << "bug: " << bug.what();
    };
    return RUN_ALL_TESTS();
}
