// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "platform/qt/qt_process_start.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

namespace platform::qt {

bool QtProcessStart::start(const StartRequest& request) {
    if (request.argv.empty()) {
        return false;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : request.environmentAdditions) {
        environment.insert(QString::fromStdString(name), QString::fromStdString(value));
    }
    QStringList arguments;
    for (std::size_t i = 1; i < request.argv.size(); ++i) {
        arguments << QString::fromStdString(request.argv[i]);
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProgram(QString::fromStdString(request.argv.front()));
    process.setArguments(arguments);
#ifdef Q_OS_WIN
    if (!request.nativeArguments.empty()) {
        process.setNativeArguments(QString::fromStdString(request.nativeArguments));
    }
#endif
    if (!request.workingDirectory.empty()) {
        process.setWorkingDirectory(QString::fromStdString(request.workingDirectory));
    }
    return process.startDetached();
}

} // namespace platform::qt
