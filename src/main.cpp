#include "app/module1.h"
#include "platform/qt/chinese_fonts.h"
#include "platform/qt/iconv_code_page.h"
#include "platform/qt/posix_text_files.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_file_dialogs.h"
#include "platform/qt/qt_main_window.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_process_start.h"
#include "platform/qt/qt_program_location.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_window_factory.h"

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

    platform::qt::QtMessageBox messageBox;
    platform::qt::QtSettingsStore settings;
    platform::qt::QtProgramLocation location;
    platform::qt::PosixTextFiles files;
    platform::qt::IconvCodePage codePage;
    platform::qt::QtWindowFactory windows;
    platform::qt::QtFileDialogs fileDialogs;
    platform::qt::QtProcessStart processes;
    platform::qt::QtClipboard clipboard;
    platform::Services services{messageBox, settings,    location,  files,    codePage,
                                windows,    fileDialogs, processes, clipboard};

    app::Module1 module(services);
    module.Main();
    // The toolbar has registered the images by now.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/toolbar/12-java.svg")));
    // Boxes and dialogs stand over the main window from now on.
    messageBox.setFallbackParent(windows.mainWindow());
    fileDialogs = platform::qt::QtFileDialogs(windows.mainWindow());
    return QApplication::exec();
}
