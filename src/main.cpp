#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/module1.h"
#include "platform/qt/iconv_code_page.h"
#include "platform/qt/qt_main_window.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_program_location.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_text_files.h"
#include "platform/qt/qt_window_factory.h"

int main(int argc, char* argv[]) {
    // Placing windows needs a window system that lets programs place them: X11 (XWayland
    // under Wayland) unless the user chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    QApplication application(argc, argv);

    // Qt's own dialogs and buttons speak Chinese too, where its translations are installed.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator);
    }

    platform::qt::QtMessageBox messageBox;
    platform::qt::QtSettingsStore settings;
    platform::qt::QtProgramLocation location;
    platform::qt::QtTextFiles files;
    platform::qt::IconvCodePage codePage;
    platform::qt::QtWindowFactory windows;
    platform::Services services{messageBox, settings, location, files, codePage, windows};

    app::Module1 module(services);
    module.Main();
    messageBox.setFallbackParent(windows.mainWindow());
    return QApplication::exec();
}
