// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "platform/qt/qt_system_environment.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>
#include <QtGlobal>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace platform::qt {

std::optional<std::string> QtSystemEnvironment::variable(const std::string& name) {
    const char* key = name.c_str();
    if (!qEnvironmentVariableIsSet(key)) {
        return std::nullopt;
    }
    return qEnvironmentVariable(key).toStdString();
}

bool QtSystemEnvironment::isOnSearchPath(const std::string& program) {
    return !QStandardPaths::findExecutable(QString::fromStdString(program)).isEmpty();
}

bool QtSystemEnvironment::isExecutableFile(const std::string& path) {
    const QFileInfo file(QString::fromStdString(path));
    return file.isFile() && file.isExecutable();
}

bool QtSystemEnvironment::isDirectory(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).isDir();
}

std::string QtSystemEnvironment::userId() {
#ifdef Q_OS_WIN
    return {};
#else
    return std::to_string(::getuid());
#endif
}

std::string QtSystemEnvironment::homeDirectory() {
    return QDir::toNativeSeparators(QDir::homePath()).toStdString();
}

std::string QtSystemEnvironment::userDocumentsDirectory() {
    return QDir::toNativeSeparators(
               QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .toStdString();
}

} // namespace platform::qt
