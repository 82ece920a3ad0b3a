#include "platform/qt/qt_process_start.h"

#include "platform/error.h"
#include "toolchain/terminal_command.h"
#include "toolchain/windows_command_line.h"

#include <optional>
#include <utility>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace platform::qt {
namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

// An xterm's default bitmap font has no Chinese glyphs; a console that prints the pause prompt
// in Chinese reads the resource file shipped beside the program instead, unless the user has
// chosen one of their own. Other terminals ignore it.
QProcessEnvironment consoleEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString resources =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("morvane-xterm.ad"));
    if (!environment.contains(QStringLiteral("XENVIRONMENT")) && QFileInfo::exists(resources)) {
        environment.insert(QStringLiteral("XENVIRONMENT"), resources);
    }
    return environment;
}

// Starts program on its own; the arguments reach it one by one, with no shell between.
void startOnItsOwn(
    const QString& program, const QStringList& arguments, const QString& workingDirectory,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProgram(program);
    process.setArguments(arguments);
    if (!workingDirectory.isEmpty()) {
        process.setWorkingDirectory(workingDirectory);
    }
    if (!process.startDetached()) {
        throw RuntimeError(ErrorNumber::PathFileAccess,
                           toolchain::startFailedMessage(program.toStdString()));
    }
}

bool isOnSearchPath(const std::string& program) {
    return !QStandardPaths::findExecutable(fromUtf8(program)).isEmpty();
}

} // namespace

QtProcessStart::QtProcessStart(QString interpreter) : interpreter_(std::move(interpreter)) {}

QString QtProcessStart::interpreter() const {
    if (!interpreter_.isEmpty()) {
        return interpreter_;
    }
#ifdef Q_OS_WIN
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("morvane-bat.exe"));
#else
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("morvane-bat"));
#endif
}

void QtProcessStart::startInTerminal(const std::string& scriptPath,
                                     const std::string& workingDirectory) {
    const QString directory = fromUtf8(workingDirectory);
    if (!QFileInfo(directory).isDir()) {
        throw RuntimeError(ErrorNumber::PathNotFound,
                           toolchain::workingDirectoryMissingMessage(workingDirectory));
    }
#ifdef Q_OS_WIN
    // Windows has the console and its interpreter; a detached start opens a console window.
    QProcess process;
    process.setProgram(fromUtf8(toolchain::WindowsCommandInterpreter));
    process.setNativeArguments(fromUtf8(toolchain::windowsScriptArguments(scriptPath)));
    process.setWorkingDirectory(directory);
    if (!process.startDetached()) {
        throw RuntimeError(ErrorNumber::PathFileAccess,
                           toolchain::startFailedMessage(toolchain::WindowsCommandInterpreter));
    }
#else
    const QString batch = interpreter();
    if (!QFileInfo(batch).isExecutable()) {
        throw RuntimeError(ErrorNumber::FileNotFound,
                           toolchain::interpreterMissingMessage(batch.toStdString()));
    }
    std::optional<std::vector<std::string>> command = toolchain::terminalCommand(
        isOnSearchPath, batch.toStdString(), scriptPath, workingDirectory);
    if (!command) {
        throw RuntimeError(ErrorNumber::FileNotFound, toolchain::noTerminalMessage());
    }
    QStringList arguments;
    for (std::size_t i = 1; i < command->size(); ++i) {
        arguments << fromUtf8((*command)[i]);
    }
    startOnItsOwn(fromUtf8(command->front()), arguments, directory, consoleEnvironment());
#endif
}

void QtProcessStart::startDetached(const std::vector<std::string>& argv) {
    if (argv.empty() || argv.front().empty()) {
        throw RuntimeError(ErrorNumber::FileNotFound, "没有指定要启动的程序。");
    }
    const QString program = fromUtf8(argv.front());
    // A bare name is looked up first so that a missing program is named as such.
#ifdef Q_OS_WIN
    const bool hasDirectory =
        program.contains(QLatin1Char('/')) || program.contains(QLatin1Char('\\'));
#else
    const bool hasDirectory = program.contains(QLatin1Char('/'));
#endif
    if (!hasDirectory && !isOnSearchPath(argv.front())) {
        throw RuntimeError(ErrorNumber::FileNotFound,
                           toolchain::programNotFoundMessage(argv.front()));
    }
#ifdef Q_OS_WIN
    // A Windows program reads one command line: the words after its name, as they stand.
    QProcess process;
    process.setProgram(program);
    process.setNativeArguments(fromUtf8(
        toolchain::windowsCommandLine(std::vector<std::string>(argv.begin() + 1, argv.end()))));
    if (!process.startDetached()) {
        throw RuntimeError(ErrorNumber::PathFileAccess,
                           toolchain::startFailedMessage(argv.front()));
    }
#else
    QStringList arguments;
    for (std::size_t i = 1; i < argv.size(); ++i) {
        arguments << fromUtf8(argv[i]);
    }
    startOnItsOwn(program, arguments, QString());
#endif
}

} // namespace platform::qt
