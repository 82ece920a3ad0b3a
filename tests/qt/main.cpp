#include "qt_fixture.h"

#include <QApplication>

#include <gtest/gtest.h>

void processEvents() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
    }
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
