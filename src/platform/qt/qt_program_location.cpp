#include "qt_program_location.h"

#include <QCoreApplication>
#include <QDir>

namespace platform::qt {

std::string QtProgramLocation::programDirectory() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
}

char QtProgramLocation::directorySeparator() {
    return QDir::separator().toLatin1();
}

} // namespace platform::qt
