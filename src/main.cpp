// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "app/module1.h"
#include "platform/desktop/desktop_services.h"
#include "platform/qt/chinese_fonts.h"
#include "platform/qt/qt_tool_bar.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Qt's own dialogs and buttons speak Chinese too, where its translations are installed.
void installQtTranslations(QTranslator& translator) {
    if (translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&translator);
    }
}

// The texts ask for 宋体 (SimSun); where it is not installed a CJK font of the system stands in.
void substituteSimSun() {
    const QStringList families = QFontDatabase::families();
    if (families.contains(QStringLiteral("宋体")) || families.contains(QStringLiteral("SimSun"))) {
        QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("SimSun"));
        return;
    }
    QFont::insertSubstitutions(QStringLiteral("宋体"), platform::qt::simSunStandIns());
}

} // namespace

int main(int argc, char* argv[]) {
    // Placing windows needs a window system that lets programs place them: X11 (XWayland
    // under Wayland) unless the user chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    QApplication application(argc, argv);
    QTranslator qtTranslator;
    installQtTranslations(qtTranslator);
    substituteSimSun();

    // Before the first window: at the first start the settings dialog shows inside Main.
    platform::qt::registerImages();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/toolbar/12-java.svg")));

    platform::desktop::DesktopServices platform;
    app::Module1 module(platform.services);
    module.Main();
    platform.parentDialogsToMainWindow();
    return QApplication::exec();
}
