// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "qt_program_location.h"

#include "platform/error.h"

#include <cerrno>
#include <cstring>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform::qt {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

std::string native(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

} // namespace

std::string QtProgramLocation::programDirectory() {
    return native(QCoreApplication::applicationDirPath());
}

char QtProgramLocation::directorySeparator() {
    return QDir::separator().toLatin1();
}

bool QtProgramLocation::exists(const std::string& path) {
    return QFileInfo::exists(fromUtf8(path));
}

bool QtProgramLocation::canWriteIn(const std::string& directory) {
    // Asks the system (access(2) on Linux), so a read-only mount says no even to root.
    const QFileInfo folder(fromUtf8(directory));
    return folder.isDir() && folder.isWritable();
}

void QtProgramLocation::createDirectory(const std::string& directory) {
    errno = 0;
    if (!QDir().mkpath(fromUtf8(directory))) {
        // mkpath says only whether; the mkdir(2) that failed left why, which the user is told.
        const int error = errno;
        throw RuntimeError(ErrorNumber::PathFileAccess,
                           error != 0 ? std::strerror(error) : "无法创建文件夹 " + directory);
    }
}

std::string QtProgramLocation::userConfigDirectory() {
    return native(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

std::string QtProgramLocation::findOnSearchPath(const std::string& name) {
    const QString found = QStandardPaths::findExecutable(fromUtf8(name));
    if (found.isEmpty()) {
        return {};
    }
    return native(QFileInfo(found).canonicalFilePath());
}

} // namespace platform::qt
